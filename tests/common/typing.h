#pragma once
// Text as keyboards and input methods deliver it: key clicks for ASCII, key events with the Latin-1
// key code for the other Latin-1 characters, key events without a key code of their own (key 0) for
// the rest, and an input method's commit at the end.
#include <QApplication>
#include <QInputMethodEvent>
#include <QtTest/QTest>
#include <string>

// What typeText leaves in an empty edit, as UTF-8.
inline const std::string kTypedText = "Grüße ♭7 ♯11 ñ 日本 é";

inline void typeText(QWidget* target) {
    for (QChar c : QString::fromUtf8("Grüße ♭7 ♯11 ñ 日本"))
        if (c.unicode() < 0x80)
            QTest::keyClick(target, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, target,
                                Qt::Key(c.unicode() < 0x100 ? c.toUpper().unicode() : 0), QString(c),
                                Qt::NoModifier);
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8(" é"));
    QApplication::sendEvent(target, &commit);
}
