#include <QAbstractItemView>
#include <QComboBox>
#include <QImage>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabBar>
#include <gtest/gtest.h>

#include "support/MainWindowFixture.h"

namespace {

using MainWindowLookTest = MainWindowFixture;

// The share of a widget's pixels in the lists' blue.
double blueShare(QWidget& widget)
{
    const QImage image = widget.grab().toImage();
    int blue = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            blue += image.pixelColor(x, y) == QColor(0, 0, 255);
    }
    return double(blue) / (image.width() * image.height());
}

// The drive list and the scroll bars are first shown after start, and are blue all the same.
TEST_F(MainWindowLookTest, ControlsShownAfterStartAreBlueLikeTheRest)
{
    MainWindow& form = start();

    auto* drives = findControl<QComboBox>(form, "DriveComboBox1");
    drives->showPopup();
    EXPECT_GT(blueShare(*drives->view()->viewport()), 0.5) << "the drive list is blue, as the selector";
    drives->hidePopup();

    findControl<QTabBar>(form, "TabSet1")->setCurrentIndex(1);
    QScrollBar* bar = findControl<QPlainTextEdit>(form, "cdmisc")->verticalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_GT(blueShare(*bar), 0.25) << "the scroll bar is blue, as its list";
}

}  // namespace
