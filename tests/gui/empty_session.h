#pragma once
// A session on a working folder with an empty template store, for window
// tests that need a project but no templates.

#include <gtest/gtest.h>

#include <memory>

#include "session/session.h"

namespace orvane::testing {

inline std::unique_ptr<Session> openEmptySession(const std::filesystem::path& root) {
    const WorkingFolder folder(root);
    std::filesystem::create_directories(folder.movieStore());
    std::filesystem::create_directories(folder.parameterStore());
    SessionOptions options;
    options.root = root;
    NullProgress progress;
    auto opened = Session::open(options, progress);
    if (!opened) {
        ADD_FAILURE() << opened.error().message.toStdString();
        return nullptr;
    }
    return std::move(*opened);
}

}  // namespace orvane::testing
