// Every read-only text box of every window refuses pasting and middle-click insertion.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>

#include "tests/ShellFixture.h"

namespace jadeleaf::test {
namespace {

using ReadOnlyTextTest = ShellFixture;

template <typename Box>
void TryToInsert(Box* box) {
    const QString before = box->toPlainText();
    const QPoint middle = box->viewport()->rect().center();
    QTest::mouseClick(box->viewport(), Qt::MiddleButton, Qt::NoModifier, middle);
    QTest::mouseClick(box->viewport(), Qt::LeftButton, Qt::NoModifier, middle);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClicks(box, "typed");
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClick(box, Qt::Key_Backspace);
    const std::string name = box->objectName().toStdString() + " of " + box->window()->objectName().toStdString();
    const QString after = box->toPlainText();
    for (const char* inserted : {"pasted", "selected", "typed"}) EXPECT_FALSE(after.contains(inserted)) << name;
    // The about box's address line answers a press by copying the address.
    if (box->objectName() != "RichEdit1") {
        EXPECT_EQ(after.toStdString(), before.toStdString()) << name;
    }
}

TEST_F(ReadOnlyTextTest, NoTextBoxTakesPastedOrMiddleClickedText) {
    Create();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText("pasted");
    if (clipboard->supportsSelection()) clipboard->setText("selected", QClipboard::Selection);

    int boxes = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        for (QPlainTextEdit* box : window->findChildren<QPlainTextEdit*>()) {
            ++boxes;
            EXPECT_TRUE(box->isReadOnly()) << box->objectName().toStdString();
            box->window()->show();
            TryToInsert(box);
        }
        for (QTextEdit* box : window->findChildren<QTextEdit*>()) {
            ++boxes;
            EXPECT_TRUE(box->isReadOnly()) << box->objectName().toStdString();
            box->window()->show();
            TryToInsert(box);
        }
    }
    // The results dialog's saying, the about box and the quick information.
    EXPECT_GE(boxes, 3);
}

}  // namespace
}  // namespace jadeleaf::test
