#pragma once

#include <QWidget>

#include <array>
#include <cstdint>
#include <string>

struct AppSettings;
class ColourButton;
class QLabel;
class QPushButton;

// The second page of the settings sheet: the six colours of the text and
// the font of the conversation windows.
class AppearanceSettingsPage : public QWidget
{
    Q_OBJECT

public:
    // The colours in the order of their buttons.
    enum ColourIndex { Info, Text, High, Error, Time, List, ColourCount };

    explicit AppearanceSettingsPage(const AppSettings &settings, QWidget *parent = nullptr);

    // Puts the six colours and the font into the settings record.
    void Apply(AppSettings &settings) const;

    ColourButton *Colour(ColourIndex index) const { return m_colours[size_t(index)]; }
    QPushButton *FontButton() const { return m_fontButton; }
    QLabel *Sample() const { return m_sample; }
    const std::string &FontFace() const { return m_face; }
    int FontSize() const { return m_size; }

private:
    void ChooseFont();
    void ShowSample();

    std::array<ColourButton *, ColourCount> m_colours{};
    QPushButton *m_fontButton = nullptr;
    QLabel *m_sample = nullptr;
    std::string m_face;
    int m_size;
};
