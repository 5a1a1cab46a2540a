#include "dialogs/FontDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "widgets/Utf8Text.h"

FontDialog::FontDialog(const std::string &face, int size, QWidget *parent) : QDialog(parent), m_face(face), m_size(size)
{
    setWindowTitle(FromStr(Str::FontTitle));

    m_faceBox = new QComboBox(this);
    for (const QString &family : QFontDatabase::families())
        if (QFontDatabase::isScalable(family) && m_faceBox->findText(family, Qt::MatchFixedString) < 0)
            m_faceBox->addItem(family);
    m_faceBox->setCurrentIndex(qMax(0, m_faceBox->findText(FromUtf8(face), Qt::MatchFixedString)));

    m_sizeBox = new QComboBox(this);
    m_sizeBox->setEditable(true);
    m_sizeBox->setInsertPolicy(QComboBox::NoInsert);
    for (int offered = 8; offered <= 20; ++offered)
        m_sizeBox->addItem(QString::number(offered));
    m_sizeBox->setEditText(QString::number(size == 0 ? kDefaultSize : size));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *form = new QFormLayout;
    form->addRow(FromStr(Str::FontFaceLabel), m_faceBox);
    form->addRow(FromStr(Str::FontSizeLabel), m_sizeBox);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    m_faceBox->setFocus();
}

int FontDialog::SizeFromText(const QString &text)
{
    const QString digits = text.trimmed();
    bool ok = false;
    const qlonglong typed = digits.toLongLong(&ok);
    if (!ok) {
        // A number too long for any integer is a big size, anything else none.
        static const QRegularExpression manyDigits(QStringLiteral("^[0-9]+$"));
        return manyDigits.match(digits).hasMatch() ? kMaximumSize : kDefaultSize;
    }
    if (typed < kMinimumSize)
        return kDefaultSize;
    return typed > kMaximumSize ? kMaximumSize : int(typed);
}

void FontDialog::accept()
{
    if (m_faceBox->currentIndex() >= 0)
        m_face = m_faceBox->currentText().toStdString();
    m_size = SizeFromText(m_sizeBox->currentText());
    QDialog::accept();
}
