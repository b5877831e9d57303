#include "platform/qt/shellopen.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QUrl>

namespace {

// Types that the desktop would run, or hand to an interpreter or installer-like launcher.
const char* const kProgramTypes[] = {
    "application/x-executable",
    "application/x-sharedlib",
    "application/x-pie-executable",
    "application/x-shellscript",
    "application/x-desktop",
    "application/x-ms-dos-executable",
    "application/x-msdownload",
    "application/x-msi",
    "application/vnd.microsoft.portable-executable",
    "application/x-java-archive",
    "application/vnd.appimage",
    "application/x-iso9660-appimage",
    "application/x-bat",
    "application/x-ms-shortcut",
};

bool isProgramType(const QMimeType& type) {
    for (const char* name : kProgramTypes)
        if (type.inherits(QString::fromLatin1(name))) return true;
    return false;
}

// By name and by content: a renamed program is still a program. A file marked executable whose
// content is not recognised is taken as a program too.
bool isProgram(const QFileInfo& info) {
    QMimeDatabase db;
    QMimeType byName = db.mimeTypeForFile(info, QMimeDatabase::MatchExtension);
    QMimeType byContent = db.mimeTypeForFile(info, QMimeDatabase::MatchContent);
    if (isProgramType(byName) || isProgramType(byContent)) return true;
    return info.isExecutable() && byContent.name() == QLatin1String("application/octet-stream");
}

std::string trimmed(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

bool startsWithNoCase(const std::string& s, const char* prefix) {
    size_t n = std::char_traits<char>::length(prefix);
    if (s.size() < n) return false;
    for (size_t i = 0; i < n; ++i) {
        char c = s[i];
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

ShellTarget webTarget(const std::string& address) {
    QUrl url(QString::fromStdString(address), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty()) return {ShellOpenResult::NotFound, {}};
    return {ShellOpenResult::Opened, url.toString(QUrl::FullyEncoded).toStdString()};
}

// A host name of the mail domain: dotted labels of letters, digits and inner hyphens (an
// international name in its ASCII form), at least two of them, the last one not a number.
bool isMailDomain(const QString& domain) {
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    const QByteArray ace = QUrl::toAce(domain);
    if (ace.isEmpty() || ace.size() > 253) return false;
    const QList<QByteArray> labels = ace.split('.');
    if (labels.size() < 2) return false;
    for (const QByteArray& label : labels) {
        if (label.isEmpty() || label.size() > 63 || label.front() == '-' || label.back() == '-') return false;
        for (char c : label)
            if (!letter(c) && !digit(c) && c != '-') return false;
    }
    for (char c : labels.back())
        if (!digit(c)) return true;
    return false;
}

// A mail address: a name, one "@" and a mail domain, optionally followed by "?" and the mail's
// header fields. What is checked is the address as the mail program will read it from the URL
// (percent-escapes decoded), so no escape can smuggle in a second "@", a blank or another domain;
// an address written after "//" (a host part, which mail addresses have none of) is no address.
ShellTarget mailTarget(const std::string& address) {
    QUrl url(QString::fromStdString("mailto:" + address), QUrl::StrictMode);
    if (!url.isValid() || url.toString(QUrl::FullyEncoded).startsWith(QLatin1String("mailto://")))
        return {ShellOpenResult::NotFound, {}};
    const QString who = url.path(QUrl::FullyDecoded);
    const qsizetype at = who.indexOf(QLatin1Char('@'));
    if (at <= 0 || who.indexOf(QLatin1Char('@'), at + 1) >= 0) return {ShellOpenResult::NotFound, {}};
    for (QChar c : who.left(at))
        if (!c.isPrint() || c.isSpace() || QStringLiteral("<>\"()[]\\,;:").contains(c))
            return {ShellOpenResult::NotFound, {}};
    if (!isMailDomain(who.mid(at + 1))) return {ShellOpenResult::NotFound, {}};
    return {ShellOpenResult::Opened, url.toString(QUrl::FullyEncoded).toStdString()};
}

} // namespace

ShellTarget classifyShellTarget(const std::string& target) {
    if (target.empty()) return {ShellOpenResult::Empty, {}};
    // Blanks alone name nothing to open: they are not found, as any target that opens nothing.
    std::string t = trimmed(target);
    if (t.empty()) return {ShellOpenResult::NotFound, {}};
    if (startsWithNoCase(t, "http://") || startsWithNoCase(t, "https://")) return webTarget(t);
    if (startsWithNoCase(t, "www.")) return webTarget("http://" + t);
    if (startsWithNoCase(t, "mailto:")) return mailTarget(t.substr(7));
    if (t.find('@') != std::string::npos && t.find('/') == std::string::npos &&
        !QFileInfo::exists(QString::fromStdString(t)))
        return mailTarget(t);

    QString path = QString::fromStdString(t);
    if (startsWithNoCase(t, "file:")) {
        QUrl url(path);
        if (!url.isValid() || !url.isLocalFile()) return {ShellOpenResult::NotFound, {}};
        path = url.toLocalFile();
    }
    // A path that begins with ':' is a name on disk here, never one of the toolkit's built-in resources.
    if (path.startsWith(QLatin1Char(':'))) path.prepend(QLatin1String("./"));
    QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) return {ShellOpenResult::NotFound, {}};
    if (!info.isDir() && (!info.isFile() || isProgram(info))) return {ShellOpenResult::Refused, {}};
    // A clean path: a doubled leading slash ("//") would otherwise read as a network share with no
    // name and give the empty address "file://".
    const QUrl url = QUrl::fromLocalFile(QDir::cleanPath(info.absoluteFilePath()));
    if (url.toLocalFile().isEmpty()) return {ShellOpenResult::NotFound, {}};
    return {ShellOpenResult::Opened, url.toString(QUrl::FullyEncoded).toStdString()};
}

ShellOpenResult shellOpenTarget(const std::string& target, const UrlOpener& opener) {
    ShellTarget t = classifyShellTarget(target);
    if (t.verdict != ShellOpenResult::Opened) return t.verdict;
    bool ok = opener ? opener(t.url) : QDesktopServices::openUrl(QUrl(QString::fromStdString(t.url)));
    return ok ? ShellOpenResult::Opened : ShellOpenResult::Failed;
}
