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
        if (text.isEmpty())
            QTest::keyClick(field, Qt::Key_Delete);
        else
            QTest::keyClicks(field, text);
    }
    static void Click(QAbstractButton *button) { QTest::mouseClick(button, Qt::LeftButton); }
    static void Toggle(QCheckBox *box) { box->click(); }

    FakeShell m_shell;
};
