#pragma once

#include "input/InputLine.h"
#include "input/TextStyleButton.h"
#include "input/CommandPopup.h"
#include "support/WaitFor.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

// A shown window holding a style button, an input line with the focus and
// another focusable field, and a command pop-up of the test's own.
class InputWidgetFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_list = std::make_unique<CommandPopup>();
        m_window = std::make_unique<QWidget>();
        auto *layout = new QHBoxLayout(m_window.get());
        m_input = new InputLine;
        m_style = new TextStyleButton(m_input);
        m_other = new QLineEdit;
        layout->addWidget(m_style);
        layout->addWidget(m_input, 1);
        layout->addWidget(m_other);
        m_input->SetCommandList(m_list.get());
        m_window->resize(700, 40);
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        m_input->setFocus();
        ASSERT_TRUE(WaitFor([this] { return m_input->hasFocus(); }));
    }

    void TearDown() override
    {
        for (QWidget *popup = QApplication::activePopupWidget(); popup; popup = QApplication::activePopupWidget())
            popup->close();
    }

    void Type(const QString &text) { QTest::keyClicks(m_input, text); }
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(m_input, key, modifiers);
    }
    std::string Line() const { return m_input->GetTextWithCodes(); }

    // Clicks the action of a shown menu.
    static void ClickAction(QMenu *menu, QAction *action)
    {
        ASSERT_TRUE(WaitFor([menu] { return menu->isVisible(); }));
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(action).center());
    }

    static QAction *ActionWithData(QMenu *menu, int data)
    {
        for (QAction *action : menu->actions()) {
            if (action->data().toInt() == data)
                return action;
        }
        return nullptr;
    }

    std::unique_ptr<CommandPopup> m_list;
    std::unique_ptr<QWidget> m_window;
    InputLine *m_input = nullptr;
    TextStyleButton *m_style = nullptr;
    QLineEdit *m_other = nullptr;
};
