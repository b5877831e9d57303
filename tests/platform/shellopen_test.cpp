// Shell open: what is opened (web addresses, existing documents and folders) and what never is.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/qt/shellopen.h"
#include "tests/common/tempdir.h"
#include "tests/platform/qtapp.h"

namespace {

struct TempFolder : TempDir {
    std::filesystem::path path = fsPath();
    std::string make(const std::string& name, const std::string& bytes, bool executable = false) const {
        std::string p = (path / name).string();
        std::ofstream(p, std::ios::binary) << bytes;
        if (executable)
            std::filesystem::permissions(p, std::filesystem::perms::owner_exec,
                                         std::filesystem::perm_options::add);
        return p;
    }
};

struct Opener {
    std::vector<std::string> urls;
    bool result = true;
    UrlOpener fn() {
        return [this](const std::string& url) {
            urls.push_back(url);
            return result;
        };
    }
};

} // namespace

TEST(ShellOpenTest, WebAddresses) {
    ensureQtApp();
    EXPECT_EQ(classifyShellTarget("www.example.org").url, "http://www.example.org");
    EXPECT_EQ(classifyShellTarget("  https://example.org/a?b=1 ").url, "https://example.org/a?b=1");
    EXPECT_EQ(classifyShellTarget("HTTP://Example.org/x").verdict, ShellOpenResult::Opened);
    EXPECT_EQ(classifyShellTarget("http://").verdict, ShellOpenResult::NotFound);

    Opener o;
    EXPECT_EQ(shellOpenTarget("www.example.org/page", o.fn()), ShellOpenResult::Opened);
    EXPECT_EQ(o.urls, std::vector<std::string>{"http://www.example.org/page"});
    o.result = false;
    EXPECT_EQ(shellOpenTarget("https://example.org", o.fn()), ShellOpenResult::Failed);
}

TEST(ShellOpenTest, EmptyAndMissingOpenNothing) {
    ensureQtApp();
    TempFolder t;
    Opener o;
    EXPECT_EQ(shellOpenTarget("", o.fn()), ShellOpenResult::Empty);
    EXPECT_EQ(shellOpenTarget("   ", o.fn()), ShellOpenResult::NotFound); // blanks name nothing
    EXPECT_EQ(shellOpenTarget((t.path / "nothing.pdf").string(), o.fn()), ShellOpenResult::NotFound);
    EXPECT_EQ(shellOpenTarget("javascript:alert(1)", o.fn()), ShellOpenResult::NotFound);
    EXPECT_EQ(shellOpenTarget("file:///no/such/file.txt", o.fn()), ShellOpenResult::NotFound);
    EXPECT_TRUE(o.urls.empty());
}

TEST(ShellOpenTest, ExistingDocumentsAndFoldersOpenAsFileAddresses) {
    ensureQtApp();
    TempFolder t;
    std::string doc = t.make("notes #1.txt", "some notes\n");
    Opener o;
    EXPECT_EQ(shellOpenTarget(doc, o.fn()), ShellOpenResult::Opened);
    EXPECT_EQ(shellOpenTarget("file://" + t.path.string() + "/notes%20%231.txt", o.fn()),
              ShellOpenResult::Opened);
    EXPECT_EQ(shellOpenTarget(t.path.string(), o.fn()), ShellOpenResult::Opened);
    ASSERT_EQ(o.urls.size(), 3u);
    std::string expected = "file://" + t.path.string() + "/notes%20%231.txt";
    EXPECT_EQ(o.urls[0], expected);
    EXPECT_EQ(o.urls[1], expected);
    EXPECT_EQ(o.urls[2], "file://" + t.path.string());
    // A document that happens to carry the executable bit is still a document.
    std::string marked = t.make("letter.txt", "Dear reader,\n", true);
    EXPECT_EQ(classifyShellTarget(marked).verdict, ShellOpenResult::Opened);
}

// The root folder named with a doubled slash ("//", "///") is the root folder, not the empty address
// "file://". Every address handed on names an existing place (a fuzzing finding, kept as a fixture).
TEST(ShellOpenTest, RootFolderWithDoubledSlashesOpensAsTheRoot) {
    ensureQtApp();
    for (const char* root : {"/", "//", "///", "//./", "/tmp/../"}) {
        ShellTarget t = classifyShellTarget(root);
        EXPECT_EQ(t.verdict, ShellOpenResult::Opened) << root;
        EXPECT_EQ(t.url, "file:///") << root;
    }
    std::ifstream in(std::string(QV_TEST_DATA) + "/fuzz/links-root-folder.txt", std::ios::binary);
    std::string line;
    int lines = 0;
    while (std::getline(in, line)) {
        ++lines;
        ShellTarget t = classifyShellTarget(line);
        if (t.verdict != ShellOpenResult::Opened) continue;
        EXPECT_TRUE(t.url.rfind("http://", 0) == 0 || t.url.rfind("https://", 0) == 0 ||
                    t.url == "file:///" || std::filesystem::exists(t.url.substr(7)))
            << t.url;
        EXPECT_NE(t.url, "file://");
    }
    EXPECT_EQ(lines, 3);
}

// A path beginning with ':' names a file on disk, not one of the toolkit's built-in resources (":/"
// is the resources' root, which exists in every program): nothing is handed on for it unless such a
// file exists (a fuzzing finding, kept as a fixture).
TEST(ShellOpenTest, ColonPathsAreFilesNotBuiltInResources) {
    ensureQtApp();
    for (const char* link : {"://", ":/", ":/qt-project.org", "file::/", "file::/qt-project.org"}) {
        Opener o;
        EXPECT_NE(shellOpenTarget(link, o.fn()), ShellOpenResult::Opened) << link;
        EXPECT_TRUE(o.urls.empty()) << link;
    }
    std::ifstream in(std::string(QV_TEST_DATA) + "/fuzz/links-resource-path.txt", std::ios::binary);
    std::string line;
    int lines = 0;
    while (std::getline(in, line)) {
        ++lines;
        EXPECT_NE(classifyShellTarget(line).verdict, ShellOpenResult::Opened) << line;
    }
    EXPECT_EQ(lines, 2);
    // A real file whose name begins with ':' still opens.
    TempFolder t;
    std::string doc = t.make(":notes.txt", "notes\n");
    std::filesystem::path here = std::filesystem::current_path();
    std::filesystem::current_path(t.path);
    ShellTarget local = classifyShellTarget(":notes.txt");
    std::filesystem::current_path(here);
    EXPECT_EQ(local.verdict, ShellOpenResult::Opened);
    EXPECT_EQ(local.url, "file://" + t.path.string() + "/:notes.txt");
}

TEST(ShellOpenTest, ProgramsScriptsAndLaunchersAreRefused) {
    ensureQtApp();
    TempFolder t;
    Opener o;
    // A real program, under its own name and renamed to look like a document.
    std::string elf;
    ASSERT_TRUE(std::filesystem::exists("/bin/true"));
    {
        std::ifstream in("/bin/true", std::ios::binary);
        elf.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    EXPECT_EQ(shellOpenTarget("/bin/true", o.fn()), ShellOpenResult::Refused);
    EXPECT_EQ(shellOpenTarget(t.make("tool", elf, true), o.fn()), ShellOpenResult::Refused);
    EXPECT_EQ(shellOpenTarget(t.make("report.txt", elf), o.fn()), ShellOpenResult::Refused);
    EXPECT_EQ(shellOpenTarget(t.make("run.sh", "#!/bin/sh\ntouch /tmp/ran\n"), o.fn()),
              ShellOpenResult::Refused);
    EXPECT_EQ(shellOpenTarget(t.make("run", "#!/bin/sh\ntouch /tmp/ran\n", true), o.fn()),
              ShellOpenResult::Refused);
    EXPECT_EQ(shellOpenTarget(t.make("app.desktop", "[Desktop Entry]\nType=Application\nExec=sh\n"), o.fn()),
              ShellOpenResult::Refused);
    EXPECT_EQ(shellOpenTarget(t.make("blob", std::string("\x01\x02\x03\x04\xfe\xff", 6), true), o.fn()),
              ShellOpenResult::Refused);
    EXPECT_EQ(shellOpenTarget("/dev/null", o.fn()), ShellOpenResult::Refused);
    EXPECT_TRUE(o.urls.empty());
}

TEST(ShellOpenMail, MailAddressesOpenAndLookalikesDoNot) {
    ShellTarget t = classifyShellTarget("  mailto:someone@example.com  ");
    EXPECT_EQ(t.verdict, ShellOpenResult::Opened);
    EXPECT_EQ(t.url, "mailto:someone@example.com");
    t = classifyShellTarget("someone@example.com");
    EXPECT_EQ(t.verdict, ShellOpenResult::Opened);
    EXPECT_EQ(t.url, "mailto:someone@example.com");
    for (const char* bad : {"mailto:", "mailto:@example.com", "someone@", "a@b", "a@@example.com",
                            "mailto:some one@example.com", "x@.com"})
        EXPECT_NE(classifyShellTarget(bad).verdict, ShellOpenResult::Opened) << bad;
    // A '?' or '#' before the '@' ends the address (header fields, a fragment): no address, no failure.
    // Junk domains and escaped lookalikes are no mail addresses either.
    for (const char* bad :
         {"a?b@example.org", "mailto:x?y@host.org", "a#b@example.org", "?@x.org", "x@a..b", "x@-a.org",
          "x@a_b.org", "x@1.2.3.4", "x@exa mple.org", "mailto:a%40b@x.org", "mailto:a%20b@x.org",
          "mailto:a@x.org%3Fsubject", "mailto://dev/x@host.org", "mailto:///x@host.org"})
        EXPECT_EQ(classifyShellTarget(bad).verdict, ShellOpenResult::NotFound) << bad;
    EXPECT_EQ(classifyShellTarget("mailto:a.b-c@mail.example.org?subject=Hi").url,
              "mailto:a.b-c@mail.example.org?subject=Hi");
    EXPECT_EQ(classifyShellTarget("grüße@bücher.de").verdict, ShellOpenResult::Opened);
    EXPECT_EQ(classifyShellTarget("   ").verdict, ShellOpenResult::NotFound);
}
