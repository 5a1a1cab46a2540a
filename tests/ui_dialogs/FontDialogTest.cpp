// The font chooser: the face list, the size shown, and the size kept on OK.
#include "SettingsFixture.h"

#include "dialogs/FontDialog.h"

#include <QComboBox>
#include <QFontDatabase>

namespace {

class DlgSelectFontTest : public SettingsFixture
{
protected:
    // The size kept when typed and confirmed with Enter; -1 when not accepted.
    static int ChosenSize(const QString &typed)
    {
        FontDialog dialog("", 12);
        dialog.show();
        TypeInto(dialog.SizeBox()->lineEdit(), typed);
        QTest::keyClick(dialog.SizeBox(), Qt::Key_Return);
        return dialog.result() == QDialog::Accepted ? dialog.Size() : -1;
    }
};

} // namespace

TEST_F(DlgSelectFontTest, TypedSizesAreKeptWithinBounds)
{
    EXPECT_EQ(ChosenSize("14"), 14);
    EXPECT_EQ(ChosenSize("8"), 8);
    EXPECT_EQ(ChosenSize("5"), 10);
    EXPECT_EQ(ChosenSize("0"), 10);
    EXPECT_EQ(ChosenSize("-3"), 10);
    EXPECT_EQ(ChosenSize("dvanast"), 10);
    EXPECT_EQ(ChosenSize("72"), 72);
    EXPECT_EQ(ChosenSize("100000"), 72);
    EXPECT_EQ(ChosenSize("99999999999999999999"), 72);
}

TEST_F(DlgSelectFontTest, ShowsTheFacesOnceWithTheCurrentOneSelected)
{
    const QStringList families = QFontDatabase::families();
    if (families.isEmpty())
        GTEST_SKIP() << "no fonts installed";
    FontDialog unknown("Písmo, ktoré nie je", 0);
    ASSERT_GT(unknown.FaceBox()->count(), 0);
    EXPECT_EQ(unknown.FaceBox()->currentIndex(), 0);
    EXPECT_EQ(unknown.SizeBox()->currentText(), "10");
    QStringList offered;
    for (int i = 0; i < unknown.SizeBox()->count(); ++i)
        offered << unknown.SizeBox()->itemText(i);
    EXPECT_EQ(offered.first(), "8");
    EXPECT_EQ(offered.last(), "20");
    EXPECT_EQ(offered.size(), 13);
    QStringList faces;
    for (int i = 0; i < unknown.FaceBox()->count(); ++i)
        faces << unknown.FaceBox()->itemText(i);
    EXPECT_EQ(faces.removeDuplicates(), 0);

    const QString last = faces.last();
    FontDialog known(last.toLower().toStdString(), 16);
    known.show();
    EXPECT_EQ(known.FaceBox()->currentText(), last);
    EXPECT_EQ(known.SizeBox()->currentText(), "16");
    known.accept();
    EXPECT_EQ(known.Face(), last.toStdString());
    EXPECT_EQ(known.Size(), 16);
}

TEST_F(DlgSelectFontTest, CancelKeepsTheValuesGiven)
{
    FontDialog dialog("Courier New", 11);
    dialog.show();
    TypeInto(dialog.SizeBox()->lineEdit(), "18");
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.Face(), "Courier New");
    EXPECT_EQ(dialog.Size(), 11);
}
