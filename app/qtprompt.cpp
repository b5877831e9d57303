#include "app/qtprompt.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <vector>

#include "app/utilities.h"
#include "platform/qt/font.h"
#include "ui/modalloop.h"

int QtMessagePrompt::messageBox(const Llist<std::string>& lines, PromptButtons buttons,
                                const std::string& title) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return -1;
    std::string text;
    for (int i = 0; i < lines.count(); ++i) text += (i > 0 ? "\n" : "") + lines.at(i);
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(displayText(title.empty() ? std::string(kApplicationTitle) : title));
    box.setText(displayText(text));
    box.setWindowModality(Qt::ApplicationModal);
    std::vector<const char*> names;
    switch (buttons) {
    case PromptButtons::Ok:
        names = {"OK"};
        break;
    case PromptButtons::OkCancel:
        names = {"OK", "Cancel"};
        break;
    case PromptButtons::YesNo:
        names = {"Yes", "No"};
        break;
    case PromptButtons::YesNoCancel:
        names = {"Yes", "No", "Cancel"};
        break;
    }
    std::vector<QPushButton*> made;
    for (const char* n : names)
        made.push_back(box.addButton(QString::fromLatin1(n), QMessageBox::AcceptRole));
    int result = -1;
    bool done = false;
    QObject::connect(&box, &QMessageBox::buttonClicked, [&](QAbstractButton* b) {
        for (size_t i = 0; i < made.size(); ++i)
            if (made[i] == b) result = static_cast<int>(i);
        done = true;
    });
    QObject::connect(&box, &QDialog::finished, [&](int) { done = true; });
    box.show();
    if (!runModalLoop([&] { return done || !box.isVisible(); })) result = -1;
    box.hide();
    return result;
}
