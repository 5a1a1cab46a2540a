#pragma once

class QSpinBox;
class QWidget;

// The minutes field of the ignore and ban dialogs: 0 (always) up to ten
// years of minutes, starting at minutes.
QSpinBox *CreateMinutesBox(int minutes, QWidget *parent);
