#pragma once

#include "support/FakeShell.h"
#include "support/TestConfigDir.h"
#include "support/WaitFor.h"
#include "support/WhenModal.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

#include <string>

// The settings sheet and its dialogs against a configuration file of the
// test's own, with a shell that records beeps, questions and refreshes.
class SettingsFixture : public TestConfigDir
{
protected:
    // Types into a field as a user does: select everything, then the keys.
    static void TypeInto(QLineEdit *field, const QString &text)
    {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        bool ascii = true;
        for (QChar c : text)
            ascii = ascii && c.unicode() < 0x80;
        if (ascii)
            QTest::keyClicks(field, text);
        else
            field->insert(text); // the test library types ASCII keys only
    }
    static void Click(QAbstractButton *button) { QTest::mouseClick(button, Qt::LeftButton); }
    static void Toggle(QCheckBox *box) { box->click(); }

    FakeShell m_shell;
};
