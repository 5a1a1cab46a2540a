#pragma once

#include <QPushButton>

#include <cstdint>

// A button drawn filled with its colour (hand cursor); a click opens the
// colour dialog preset with that colour, and OK there takes the new colour.
class ColourButton : public QPushButton
{
    Q_OBJECT

public:
    explicit ColourButton(uint32_t colour, QWidget *parent = nullptr);

    uint32_t Colour() const { return m_colour; }
    void SetColour(uint32_t colour);

signals:
    void colourChanged(uint32_t colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void ChooseColour();

    uint32_t m_colour;
};
