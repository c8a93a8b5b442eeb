#pragma once
// Builds small template stores for tests: each template is a parameter
// package (its INI) in wjj_02 and a movie package in wjj_01, both named
// <name>.rar so that the sorted scan pairs them.

#include <QByteArray>
#include <QString>
#include <string>

#include "base/working_folder.h"

namespace orvane::testing {

struct TemplateSpec {
    QString type = QStringLiteral("单张");
    QString category = QStringLiteral("风景");
    QString photoCount = QStringLiteral("1");
    QString widths = QStringLiteral("|800|");
    QString heights = QStringLiteral("|600|");
    QString orientation = QStringLiteral("|heng|");
    QString jpgNames = QStringLiteral("|picture_1|");
    QString frameCount = QStringLiteral("250");
    bool marker = true;
    QByteArray movie = QByteArray("FWS movie bytes");
};

QByteArray templateIni(const TemplateSpec& spec);

// Writes both packages of one template into the store under `folder`.
void addTemplate(const WorkingFolder& folder, const std::string& name, const TemplateSpec& spec);

}  // namespace orvane::testing
