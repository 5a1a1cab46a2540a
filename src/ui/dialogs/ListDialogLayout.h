#pragma once

#include <initializer_list>

class QDialog;
class QLayout;
class QPushButton;
class QWidget;

// Lays out a dialog that keeps a list: the row above it (when not null), the
// list with its buttons down the right side, and the dialog's own buttons
// below. The side buttons are never the default button, so Enter in the
// list does not press them.
void LayOutListDialog(QDialog &dialog, QLayout *above, QWidget *list, std::initializer_list<QPushButton *> sideButtons,
                      QWidget *below);
