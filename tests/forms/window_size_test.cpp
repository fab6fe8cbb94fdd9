// The main window's lower size bound (tree width + 433 by 200, or the height that
// shows every row of the property panel when that is more) and the splitter
// between the tree and the property pane.
#include <QLineEdit>
#include <QMouseEvent>
#include <QSplitter>
#include <QTest>
#include <QToolButton>

#include "editor/command_tree.h"
#include "editor/property_panel.h"
#include "tests/forms/form_fixture.h"

namespace {

constexpr int kPaneMinimum = 433;

// Drags the splitter handle by dx pixels with the left button, as the user does.
void dragSplitter(QSplitter* splitter, int dx) {
    QWidget* handle = splitter->handle(1);
    const QPoint from(handle->width() / 2, handle->height() / 2);
    const QPoint to = from + QPoint(dx, 0);
    auto send = [handle](QEvent::Type type, QPoint at, Qt::MouseButton button,
                         Qt::MouseButtons held) {
        QMouseEvent event(type, at, handle->mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(handle, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

}  // namespace

class WindowSize : public FormTest {};

TEST_F(WindowSize, TheWindowCannotBeMadeNarrowerThanTreePlus433NorLowerThanItsRows) {
    writeCommandFile("remote.pci", Remote::kHeader, Remote::commands());
    writeSettings(path("remote.pci"), "no", 180, 700);
    start();
    showWindow();
    EXPECT_EQ(widget<QWidget>(*form, "TreeViewPanel")->width(), 180);
    EXPECT_EQ(form->rememberedTreeWidth(), 180);
    const int lowest = form->minimumHeight();
    EXPECT_GE(lowest, 200);
    EXPECT_EQ(form->minimumWidth(), 180 + kPaneMinimum);

    form->resize(100, 100);
    EXPECT_EQ(form->size(), QSize(180 + kPaneMinimum, lowest));
    form->resize(180 + kPaneMinimum - 1, 199);
    EXPECT_EQ(form->size(), QSize(180 + kPaneMinimum, lowest));
    // At the lowest height the last row of the property panel is not clipped.
    QApplication::processEvents();
    TPropertyPanel* pane = panel();
    const int inside = widget<QFrame>(*pane, "Panel2")->contentsRect().bottom();
    for (QWidget* lastRow : {static_cast<QWidget*>(widget<QLineEdit>(*pane, "Edit7")),
                             static_cast<QWidget*>(widget<QToolButton>(*pane, "SpeedButton1")),
                             static_cast<QWidget*>(widget<QToolButton>(*pane, "SpeedButton3"))}) {
        EXPECT_LE(lastRow->geometry().bottom(), inside) << lastRow->objectName().toStdString();
    }
    form->resize(900, 500);
    EXPECT_EQ(form->size(), QSize(900, 500));
    EXPECT_EQ(form->rememberedTreeWidth(), widget<QWidget>(*form, "TreeViewPanel")->width());
}

TEST_F(WindowSize, TheBoundHoldsRightAfterStartBeforeTheWindowIsShown) {
    writeCommandFile("remote.pci", Remote::kHeader, Remote::commands());
    writeSettings(path("remote.pci"), "no", 200, 700);
    start();
    EXPECT_EQ(form->rememberedTreeWidth(), 200);
    EXPECT_EQ(form->minimumWidth(), 200 + kPaneMinimum);
    EXPECT_GE(form->minimumHeight(), 200);
}

TEST_F(WindowSize, DraggingTheSplitterRightWidensTheWindowWhenThePaneGetsTooNarrow) {
    startWithRemote();
    ASSERT_EQ(widget<QWidget>(*form, "TreeViewPanel")->width(), 150);
    ASSERT_EQ(form->width(), 654);

    dragSplitter(widget<QSplitter>(*form, "Splitter"), 200);
    const int dragged = widget<QWidget>(*form, "TreeViewPanel")->width();
    EXPECT_NEAR(dragged, 350, 2);
    EXPECT_EQ(form->rememberedTreeWidth(), dragged);
    EXPECT_EQ(form->width(), tree()->width() + kPaneMinimum);
    EXPECT_EQ(form->minimumWidth(), dragged + kPaneMinimum);
    EXPECT_EQ(widget<QWidget>(*form, "TreeViewPanel")->width(), dragged)
        << "the wider window goes to the pane";

    // Back to the left: the pane is wide enough, so the window keeps its width.
    const int wide = form->width();
    dragSplitter(widget<QSplitter>(*form, "Splitter"), -100);
    const int back = widget<QWidget>(*form, "TreeViewPanel")->width();
    EXPECT_NEAR(back, 250, 3);
    EXPECT_EQ(form->rememberedTreeWidth(), back);
    EXPECT_EQ(form->width(), wide);
    EXPECT_EQ(form->minimumWidth(), back + kPaneMinimum);
    form->resize(100, 100);
    EXPECT_EQ(form->size(), QSize(back + kPaneMinimum, form->minimumHeight()));
}
