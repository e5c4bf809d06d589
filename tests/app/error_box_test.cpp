// The window's report of an error.
#include "app/windows/error_box.h"

#include <gtest/gtest.h>

#include <QAbstractButton>

namespace floemark::app {
namespace {

TEST(ErrorBox, StopIconOkButtonAndTheProgramsTitle) {
  const auto box = MakeErrorBox(QStringLiteral("No MCI device open."));
  EXPECT_EQ(box->icon(), QMessageBox::Critical);
  EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
  EXPECT_EQ(box->windowTitle(), QStringLiteral("Floemark Simulator"));
  EXPECT_EQ(box->text(), QStringLiteral("No MCI device open."));
  EXPECT_EQ(box->parent(), nullptr);
  // The stop icon is shown; the OK button is a plain button, with no icon of its own.
  EXPECT_FALSE(box->iconPixmap().isNull());
  ASSERT_EQ(box->buttons().size(), 1);
  EXPECT_TRUE(box->buttons().first()->icon().isNull());
  box->show();
  EXPECT_TRUE(box->buttons().first()->icon().isNull());
  box->hide();
}

}  // namespace
}  // namespace floemark::app
