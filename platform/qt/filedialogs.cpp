#include "platform/qt/filedialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>

#include <vector>

namespace {

std::string trimmed(const std::string& s) {
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t at = s.find(sep, start);
        parts.push_back(s.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos) return parts;
        start = at + 1;
    }
}

struct FilterPair {
    std::string description;
    std::string patterns; // separated by ";"
};

// A lone trailing entry is both the description and the pattern.
std::vector<FilterPair> filterPairs(const std::string& filter) {
    std::vector<FilterPair> pairs;
    if (trimmed(filter).empty()) return pairs;
    std::vector<std::string> parts = split(filter, '|');
    for (size_t i = 0; i < parts.size(); i += 2) {
        std::string desc = trimmed(parts[i]);
        std::string pat = i + 1 < parts.size() ? trimmed(parts[i + 1]) : desc;
        if (pat.empty()) continue;
        pairs.push_back({desc.empty() ? pat : desc, pat});
    }
    return pairs;
}

bool isExtensionChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

// Qt's save dialog completes a typed name with the default suffix before it asks whether to
// overwrite, but some Qt versions look for a "." in the whole typed path, folders included. This
// dialog completes the typed name by our own rule first, so that the question is always asked
// about the file that will be written.
class SaveFileDialog : public QFileDialog {
  public:
    SaveFileDialog(QWidget* parent, std::string filter_) : QFileDialog(parent), filter(std::move(filter_)) {}

    void accept() override {
        QLineEdit* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (edit) {
            QString typed = edit->text().trimmed();
            if (!typed.isEmpty() && !typed.contains(QLatin1Char('"'))) {
                QFileInfo info(QDir::isAbsolutePath(typed) ? typed : directory().absoluteFilePath(typed));
                if (!info.isDir()) {
                    std::string completed = completeSaveFileName(typed.toStdString(), filter);
                    if (completed != typed.toStdString()) edit->setText(QString::fromStdString(completed));
                }
            }
        }
        QFileDialog::accept();
    }

  private:
    std::string filter;
};

// Runs the dialog modally, ticking while its loop runs; true when accepted.
bool execWithTick(QFileDialog& dialog, const ModalTick& tick) {
    QTimer timer;
    bool inTick = false;
    if (tick) {
        timer.setTimerType(Qt::PreciseTimer);
        timer.setInterval(2);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (inTick) return;
            inTick = true;
            tick();
            inTick = false;
        });
        timer.start();
    }
    bool accepted = dialog.exec() == QDialog::Accepted;
    timer.stop();
    return accepted;
}

void prepare(QFileDialog& dialog, const std::string& title, const std::string& filter,
             const std::string& initialDir) {
    // Qt's own dialog: it applies the default suffix before it asks whether to overwrite.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setWindowTitle(QString::fromStdString(title));
    if (!initialDir.empty()) dialog.setDirectory(QString::fromStdString(initialDir));
    QStringList filters = qtNameFilters(filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
}

} // namespace

QStringList qtNameFilters(const std::string& filter) {
    QStringList result;
    for (const FilterPair& p : filterPairs(filter)) {
        std::string desc = p.description;
        // A description that already shows its patterns in brackets ends with them; Qt would read the
        // last brackets as the patterns, so they are replaced by the real ones.
        if (!desc.empty() && desc.back() == ')') {
            size_t open = desc.rfind('(');
            if (open != std::string::npos) desc = trimmed(desc.substr(0, open));
        }
        std::string patterns;
        for (const std::string& one : split(p.patterns, ';')) {
            std::string t = trimmed(one);
            if (t.empty()) continue;
            if (!patterns.empty()) patterns += ' ';
            patterns += t;
        }
        if (patterns.empty()) continue;
        result << QString::fromStdString((desc.empty() ? patterns : desc) + " (" + patterns + ")");
    }
    return result;
}

std::string filterDefaultExtension(const std::string& filter) {
    std::vector<FilterPair> pairs = filterPairs(filter);
    if (pairs.empty()) return {};
    std::vector<std::string> patterns = split(pairs.back().patterns, ';');
    std::string last = trimmed(patterns.back());
    size_t dot = last.rfind('.');
    if (dot == std::string::npos || dot + 1 >= last.size()) return {};
    std::string ext = last.substr(dot + 1);
    for (char c : ext)
        if (!isExtensionChar(c)) return {};
    return "." + ext;
}

std::string completeSaveFileName(const std::string& path, const std::string& filter) {
    size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty() || name.find('.') != std::string::npos) return path;
    return path + filterDefaultExtension(filter);
}

bool runSaveDialog(std::string& fileName, const std::string& title, const std::string& filter,
                   const std::string& initialDir, const ModalTick& tick) {
    SaveFileDialog dialog(QApplication::activeWindow(), filter);
    prepare(dialog, title, filter, initialDir);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    std::string ext = filterDefaultExtension(filter);
    if (!ext.empty()) dialog.setDefaultSuffix(QString::fromStdString(ext.substr(1)));
    if (!fileName.empty()) dialog.selectFile(QString::fromStdString(fileName));
    if (!execWithTick(dialog, tick)) return false;
    QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty()) return false;
    fileName = completeSaveFileName(chosen.first().toStdString(), filter);
    return true;
}

bool runOpenDialog(std::string& fileName, const std::string& title, const std::string& filter,
                   const std::string& initialDir, const ModalTick& tick) {
    QFileDialog dialog(QApplication::activeWindow());
    prepare(dialog, title, filter, initialDir);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!execWithTick(dialog, tick)) return false;
    QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty()) return false;
    fileName = chosen.first().toStdString();
    return true;
}
