#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "package_writer.h"
#include "run_orvane.h"
#include "support/template_store.h"
#include "support/test_support.h"

using namespace orvane;
using namespace orvane::testing;

TEST(CliUnpack, WritesThePayloadOrNothing) {
    TempDir tmp;
    const std::string payload = "FWS and then the movie";
    packing::writePackage(tmp.path() / "good.rar", packing::Bytes(payload.begin(), payload.end()));
    const fs::path out = tmp.path() / "movie.swf";
    auto ok = runOrvane({"unpack", toQString(tmp.path() / "good.rar"), toQString(out)});
    EXPECT_EQ(ok.status, 0) << ok.err.toStdString();
    EXPECT_EQ(readFile(out), payload);

    packing::writePackage(tmp.path() / "short.rar", packing::Bytes(payload.begin(), payload.end()),
                          20);
    const fs::path none = tmp.path() / "none.swf";
    auto bad = runOrvane({"unpack", toQString(tmp.path() / "short.rar"), toQString(none)});
    EXPECT_NE(bad.status, 0);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("short.rar"))) << bad.err.toStdString();
    EXPECT_EQ(bad.err.trimmed().count(u'\n'), 0) << "one line";
    EXPECT_TRUE(bad.out.isEmpty());
    EXPECT_FALSE(fs::exists(none));

    auto missing = runOrvane({"unpack", toQString(tmp.path() / "absent.rar"), toQString(none)});
    EXPECT_NE(missing.status, 0);
    EXPECT_FALSE(fs::exists(none));
}

TEST(CliTemplates, PrintsTheTablesAsJson) {
    TempDir tmp;
    const WorkingFolder wf(tmp.path());
    TemplateSpec landscape;
    addTemplate(wf, "a", landscape);
    TemplateSpec either;
    either.orientation = QStringLiteral("|shuheng|");
    addTemplate(wf, "b", either);
    TemplateSpec broken;
    broken.marker = false;
    addTemplate(wf, "c", broken);

    auto result = runOrvane({"templates", "--root", toQString(tmp.path()), "--json"});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const auto json = nlohmann::json::parse(result.out.toStdString());
    ASSERT_EQ(json["catalogue"].size(), 2u);
    EXPECT_EQ(json["catalogue"][0]["templateType"], "单张");
    EXPECT_EQ(json["catalogue"][0]["categoryMark"], "heng");
    EXPECT_EQ(json["catalogue"][1]["seqNo"], "1");
    EXPECT_FALSE(json["catalogue"][0].contains("landscapeCount"));
    ASSERT_EQ(json["landscape"].size(), 2u);
    ASSERT_EQ(json["portrait"].size(), 1u);
    EXPECT_EQ(json["portrait"][0]["portraitCount"], "1");
    EXPECT_EQ(json["portrait"][0]["frameCount"], "250");
    EXPECT_TRUE(json["advanced"].empty());
    ASSERT_EQ(json["refused"].size(), 1u);
    EXPECT_TRUE(json["refused"][0]["package"].get<std::string>().ends_with("wjj_02/c.rar"));

    auto text = runOrvane({"templates", "--root", toQString(tmp.path())});
    EXPECT_EQ(text.status, 0);
    EXPECT_TRUE(text.out.contains(QStringLiteral("模板类型")));
    EXPECT_TRUE(text.err.contains(QStringLiteral("c.rar")));
}

TEST(CliTemplates, MissingWorkingFolderIsAnError) {
    TempDir tmp;
    auto result = runOrvane({"templates", "--root", toQString(tmp.path() / "nowhere")});
    EXPECT_NE(result.status, 0);
    EXPECT_TRUE(result.err.contains(QStringLiteral("nowhere")));
    EXPECT_FALSE(fs::exists(tmp.path() / "nowhere"));

    auto unknown = runOrvane({"no-such-command"});
    EXPECT_NE(unknown.status, 0);
}

// render-template plays a staged copy of the movie; its messages name the
// user's file, never the copy in a temporary folder.
TEST(CliRenderTemplate, MessagesNameTheUsersMovie) {
    TempDir tmp;
    const fs::path movie = tmp.path() / "broken movie.swf";
    writeFile(movie, std::string("FWS\x08\x40\x00\x00\x00", 8) + "not a movie at all");
    auto result = runOrvane(
        {"render-template", toQString(movie), "--sheet", toQString(tmp.path() / "sheet.png")});
    EXPECT_NE(result.status, 0);
    EXPECT_TRUE(result.err.contains(toQString(movie))) << result.err.toStdString();
    EXPECT_FALSE(result.err.contains(QStringLiteral("w_j_1"))) << result.err.toStdString();
    EXPECT_FALSE(fs::exists(tmp.path() / "sheet.png"));
}
