#include "dialogs/ListDialogLayout.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

void LayOutListDialog(QDialog &dialog, QLayout *above, QWidget *list, std::initializer_list<QPushButton *> sideButtons,
                      QWidget *below)
{
    auto *side = new QVBoxLayout;
    for (QPushButton *button : sideButtons) {
        button->setAutoDefault(false);
        side->addWidget(button);
    }
    side->addStretch();
    auto *middle = new QHBoxLayout;
    middle->addWidget(list, 1);
    middle->addLayout(side);
    auto *layout = new QVBoxLayout(&dialog);
    if (above)
        layout->addLayout(above);
    layout->addLayout(middle, 1);
    layout->addWidget(below);
}
