#pragma once

#include <QDialog>

#include <string>

class QComboBox;

// The font chooser of the appearance page: a face from the installed
// scalable families and a size (8 to 20 offered, any typed).
class FontDialog : public QDialog
{
    Q_OBJECT

public:
    // Sizes kept on OK: below kMinimumSize becomes kDefaultSize, above
    // kMaximumSize becomes kMaximumSize.
    static constexpr int kMinimumSize = 8;
    static constexpr int kDefaultSize = 10;
    static constexpr int kMaximumSize = 72;

    // size 0 shows as 10; a face not installed selects the first family.
    FontDialog(const std::string &face, int size, QWidget *parent = nullptr);

    // The choice after OK (the values given before).
    const std::string &Face() const { return m_face; }
    int Size() const { return m_size; }

    // The size kept for a typed text.
    static int SizeFromText(const QString &text);

    QComboBox *FaceBox() const { return m_faceBox; }
    QComboBox *SizeBox() const { return m_sizeBox; }

    void accept() override;

private:
    std::string m_face;
    int m_size;
    QComboBox *m_faceBox = nullptr;
    QComboBox *m_sizeBox = nullptr;
};
