#pragma once

#include <string>

class QLineEdit;
class QWidget;

// The read-only text fields of the properties pages.
QLineEdit *ReadOnlyField(QWidget *parent);
// Shows text in a field from its start (long texts are cut at the right).
void ShowInField(QLineEdit *field, const std::string &text);
