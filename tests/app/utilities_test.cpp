#include <gtest/gtest.h>

#include <cstdio>

#include <QApplication>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>

#include "app/utilities.h"
#include "foundation/textfile.h"
#include "tests/common/tempdir.h"

TEST(FormatMinutesSecondsTest, TwoDigitFieldsAndTruncatedSeconds) {
    EXPECT_EQ(formatMinutesSeconds(0), "00:00");
    EXPECT_EQ(formatMinutesSeconds(12.999), "12:59");
    EXPECT_EQ(formatMinutesSeconds(1.5), "01:30");
    EXPECT_EQ(formatMinutesSeconds(9.75), "09:45");
    EXPECT_EQ(formatMinutesSeconds(10.0), "10:00");
    EXPECT_EQ(formatMinutesSeconds(0.16), "00:09");
    EXPECT_EQ(formatMinutesSeconds(125.25), "125:15");
    // Times that are whole seconds keep their minute and their last second.
    EXPECT_EQ(formatMinutesSeconds(1.7666666666666666), "01:46");
    EXPECT_EQ(formatMinutesSeconds(106 / 60.0), "01:46");
    EXPECT_EQ(formatMinutesSeconds(119 / 60.0), "01:59");
    EXPECT_EQ(formatMinutesSeconds(3541 / 60.0), "59:01");
    for (int t = 0; t < 7200; ++t) {
        char expected[32];
        std::snprintf(expected, sizeof expected, "%02d:%02d", t / 60, t % 60);
        ASSERT_EQ(formatMinutesSeconds(t / 60.0), expected) << t;
    }
    // Nonsense in, a harmless text out.
    EXPECT_EQ(formatMinutesSeconds(-1.5), "00:00");
    EXPECT_EQ(formatMinutesSeconds(std::nan("")), "00:00");
    EXPECT_EQ(formatMinutesSeconds(std::numeric_limits<double>::infinity()), "2147483647:00");
}

TEST(UtilitiesTest, DotsPagesAndTheHelpFile) {
    EXPECT_EQ(replaceDotsWithP("2.2"), "2p2");
    EXPECT_EQ(replaceDotsWithP(".a..b."), "pappbp");
    EXPECT_EQ(replaceDotsWithP(""), "");
    EXPECT_EQ(updatePageAddress(), std::string(kMakerWebSite) + "/update2p2.html");
    // The addresses the program shows lie under a domain reserved for examples.
    EXPECT_EQ(updatePageAddress(), "http://www.quovelanta.example/update2p2.html");
    EXPECT_EQ(std::string(kSupportAddress), "support@quovelanta.example");

    setExeFolderOverride("/opt/qv/");
    EXPECT_EQ(helpFilePath(), "/opt/qv/Help/QuoVelanta.html");
    setExeFolderOverride("");
    EXPECT_EQ(helpFilePath(), exeFolder() + "Help/QuoVelanta.html");
}

namespace {
QApplication* app() {
    if (auto* a = qobject_cast<QApplication*>(QCoreApplication::instance())) return a;
    static int argc = 1;
    static char name[] = "test_app";
    static char* argv[] = {name, nullptr};
    static QApplication* made = new QApplication(argc, argv);
    return made;
}
} // namespace

TEST(ShellOpenTextTest, ErrorTextsForTheUser) {
    app();
    TempDir scratch;
    ASSERT_TRUE(scratch.ok());
    std::filesystem::path dir = scratch.fsPath();
    std::string doc = (dir / "page.html").string();
    std::ofstream(doc) << "<html><body>hi</body></html>\n";

    std::vector<std::string> opened;
    bool succeed = true;
    UrlOpener opener = [&](const std::string& url) {
        opened.push_back(url);
        return succeed;
    };
    EXPECT_EQ(shellOpen("", opener), "");
    EXPECT_EQ(shellOpen((dir / "missing.html").string(), opener), "File not found.");
    EXPECT_EQ(shellOpen("/bin/sh", opener), "No application is associated with the file extension.");
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(shellOpen(doc, opener), "");
    EXPECT_EQ(shellOpen("www.example.org", opener), "");
    EXPECT_EQ(opened.size(), 2u);
    succeed = false;
    EXPECT_EQ(shellOpen(doc, opener), "No application is associated with the file extension.");
    // The real desktop is asked only for something that may be opened; a missing file never gets there.
    EXPECT_EQ(shellOpen((dir / "missing.html").string()), "File not found.");
    std::filesystem::remove_all(dir);
}
