#pragma once
// The shipped template store as the build made it, for the store tests:
// where it is, its templates (paired movie and parameter packages), and
// their unpacked payloads.

#include <QString>
#include <filesystem>
#include <string>
#include <vector>

#include "templates/package.h"

namespace orvane::testing {

namespace fs = std::filesystem;

// The folder that holds smxcwjj (the build tree's root).
fs::path storeRoot();

struct ShippedTemplate {
    std::string name;
    fs::path moviePackage;
    fs::path parameterPackage;
};

// Every template of the store, in name order.
std::vector<ShippedTemplate> shippedTemplates();
// The ending movie (no parameter package).
ShippedTemplate endingMovie();

// Unpacks a package through its 23 layers into memory (intermediates go to
// `scratch`); fails the calling test on error.
Bytes unpackToMemory(const fs::path& package, const fs::path& scratch);

}  // namespace orvane::testing
