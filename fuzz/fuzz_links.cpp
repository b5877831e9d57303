// Session links on their way to the desktop: every line of the input is a link as the session-links
// page would hand it on ("~/" stands for a scratch folder that holds a document, a folder, a shell
// script, a program and links to them). A link may only ever be handed on as a web address
// (http or https, with a host), as a mail address (one plain name, one "@" and a host name, read as
// the mail program reads it, escapes decoded) or as a file address of an existing document or
// folder, fully encoded and on one line; programs and scripts are never handed on, whatever the link
// says. A "mailto:" link is handed on exactly when its address is such a mail address.
#include <sys/stat.h>

#include <QCoreApplication>
#include <QUrl>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "fuzz_context.h"
#include "platform/qt/shellopen.h"

namespace {

const std::string& place() {
    static const std::string folder = [] {
        std::string dir = qvfuzz::scratch() + "links/";
        std::filesystem::create_directories(dir + "folder");
        std::ofstream(dir + "doc.txt") << "a document\n";
        std::ofstream(dir + "run.sh") << "#!/bin/sh\necho hi\n";
        ::chmod((dir + "run.sh").c_str(), 0755);
        std::ofstream(dir + "program") << std::string("\x7f"
                                                      "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x02\0\x3e\0",
                                                      20);
        ::chmod((dir + "program").c_str(), 0755);
        std::ofstream(dir + "tool.desktop") << "[Desktop Entry]\nType=Application\nExec=/bin/true\n";
        std::error_code ec;
        std::filesystem::create_symlink(dir + "run.sh", dir + "innocent.txt", ec);
        return dir;
    }();
    return folder;
}

bool isProgramPath(const std::string& path) {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::weakly_canonical(path, ec);
    for (const char* name : {"run.sh", "program", "tool.desktop"})
        if (p == std::filesystem::weakly_canonical(place() + name, ec)) return true;
    return false;
}

// A host name in its ASCII form: dotted labels of letters, digits and inner hyphens, at least two,
// the last one with a letter (no bare numbers).
bool isHostName(const std::string& host) {
    static const std::regex name("^([A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?\\.)+"
                                 "[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?$");
    if (host.size() > 253 || !std::regex_match(host, name)) return false;
    const std::string last = host.substr(host.rfind('.') + 1);
    return last.find_first_not_of("0123456789") != std::string::npos;
}

// The address a mail program takes from a mailto address is its path with the escapes decoded: a
// name of printable characters without blanks or the address punctuation <>"()[]\,;:, one "@" and
// a host name; never written after "//" (a host part).
bool isMailAddress(const QUrl& url) {
    const QString address = url.path(QUrl::FullyDecoded);
    const qsizetype at = address.indexOf(QLatin1Char('@'));
    if (at <= 0 || address.lastIndexOf(QLatin1Char('@')) != at || !url.host().isEmpty() ||
        url.toString(QUrl::FullyEncoded).startsWith(QLatin1String("mailto://")))
        return false;
    for (QChar c : address.left(at))
        if (!c.isPrint() || c.isSpace() || QStringLiteral("<>\"()[]\\,;:").contains(c)) return false;
    return isHostName(QUrl::toAce(address.mid(at + 1)).toStdString());
}

// A link written as "mailto:..." (blanks around it aside).
bool isMailtoLink(const std::string& link, std::string& rest) {
    const std::size_t b = link.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return false;
    const std::size_t e = link.find_last_not_of(" \t\r\n");
    const std::string t = link.substr(b, e - b + 1);
    if (t.size() < 7) return false;
    for (std::size_t i = 0; i < 7; ++i)
        if (std::tolower(static_cast<unsigned char>(t[i])) != "mailto:"[i]) return false;
    rest = t.substr(7);
    return true;
}

void checkLink(const std::string& link) {
    ShellTarget t = classifyShellTarget(link);
    std::string handed;
    ShellOpenResult r = shellOpenTarget(link, [&](const std::string& url) {
        handed = url;
        return true;
    });
    QV_REQUIRE(r == t.verdict);
    std::string address;
    if (isMailtoLink(link, address)) {
        const QUrl mail(QString::fromStdString("mailto:" + address), QUrl::StrictMode);
        QV_REQUIRE((t.verdict == ShellOpenResult::Opened) == (mail.isValid() && isMailAddress(mail)));
    }
    if (t.verdict != ShellOpenResult::Opened) {
        QV_REQUIRE(handed.empty());
        return;
    }
    QV_REQUIRE(handed == t.url);
    for (char c : t.url) QV_REQUIRE(c > 0x20 && c < 0x7F);
    QUrl url(QString::fromStdString(t.url), QUrl::StrictMode);
    QV_REQUIRE(url.isValid());
    const QString scheme = url.scheme();
    if (scheme == "http" || scheme == "https") {
        QV_REQUIRE(!url.host().isEmpty());
        return;
    }
    if (scheme == "mailto") {
        QV_REQUIRE(isMailAddress(url));
        return;
    }
    QV_REQUIRE(scheme == "file" && url.isLocalFile());
    const std::string local = url.toLocalFile().toStdString();
    QV_REQUIRE(std::filesystem::exists(local));
    QV_REQUIRE(!isProgramPath(local));
    // Nothing that starts like a program or a script is handed on, wherever it lies.
    if (std::filesystem::is_regular_file(local)) {
        char head[4] = {};
        std::ifstream(local, std::ios::binary).read(head, 4);
        QV_REQUIRE(std::string(head, 4) != std::string("\x7f"
                                                       "ELF",
                                                       4));
        QV_REQUIRE(!(head[0] == '#' && head[1] == '!'));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static int argc = 1;
    static char name[] = "fuzz_links";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    std::string text(reinterpret_cast<const char*>(data), size);
    std::size_t from = 0;
    for (int links = 0; links < 5 && from <= text.size(); ++links) {
        std::size_t nl = text.find('\n', from);
        std::string link = text.substr(from, nl == std::string::npos ? std::string::npos : nl - from);
        for (std::size_t at = link.find("~/"); at != std::string::npos; at = link.find("~/", at + 1))
            link.replace(at, 2, place());
        checkLink(link);
        if (nl == std::string::npos) break;
        from = nl + 1;
    }
    return 0;
}
