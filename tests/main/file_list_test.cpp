#include "form1_fixture.h"

namespace velmora::test {
namespace {

using Rows = std::vector<std::wstring>;

TEST_F(Form1Test, DeleteRemovesTheSelectedRowAndSelectsTheNextOrNewLast) {
    Queue({L"A", L"B", L"C"});
    form1.L_KeyDown(kKeyDelete, 0);  // nothing selected: nothing changes
    EXPECT_EQ(L.rows, (Rows{L"A", L"B", L"C"}));

    L.index = 1;
    form1.L_KeyDown(kKeyDelete, 1);  // any shift state
    EXPECT_EQ(L.rows, (Rows{L"A", L"C"}));
    EXPECT_EQ(L.index, 1);
    EXPECT_EQ(L.toolTip, L"C");

    form1.L_KeyDown(kKeyDelete, 0);  // the last row: the new last is selected
    EXPECT_EQ(L.rows, Rows{L"A"});
    EXPECT_EQ(L.index, 0);

    form1.L_KeyDown(45, 0);  // only Delete acts
    form1.L_KeyDown(kKeyDelete, 0);
    EXPECT_TRUE(L.rows.empty());
    EXPECT_EQ(L.index, -1);
}

TEST_F(Form1Test, DraggingSwapsTheDraggedEntryWithTheRowUnderThePointer) {
    Queue({L"A", L"B", L"C", L"D"});
    L.index = 0;
    form1.L_MouseDown(kMouseLeft, 0, 0, 0);
    for (int row = 1; row <= 3; ++row) {
        L.index = row;  // the list moves its selection under the pointer
        form1.L_MouseMove(kMouseLeft, 0, 0, 0);
    }
    EXPECT_EQ(L.rows, (Rows{L"B", L"C", L"D", L"A"}));

    L.rows = {L"A", L"B", L"C", L"D"};
    L.index = 0;
    form1.L_MouseDown(kMouseLeft, 0, 0, 0);
    L.index = 3;  // one jump: only the two ends change places
    form1.L_MouseMove(kMouseLeft, 0, 0, 0);
    EXPECT_EQ(L.rows, (Rows{L"D", L"B", L"C", L"A"}));
    EXPECT_EQ(form1.DragIndex(), 3);

    // The right button, or left with another button, does nothing.
    L.index = 1;
    form1.L_MouseMove(2, 0, 0, 0);
    form1.L_MouseMove(kMouseLeft | 2, 0, 0, 0);
    form1.L_MouseDown(2, 0, 0, 0);
    EXPECT_EQ(L.rows, (Rows{L"D", L"B", L"C", L"A"}));
    EXPECT_EQ(form1.DragIndex(), 3);
}

TEST_F(Form1Test, DroppedFilesGoOnTopWithoutDuplicatesAndRowZeroSelected) {
    Queue({L"C:\\x.jpg", L"C:\\Y.JPG", L"C:\\z.jpg"});
    form1.L_OLEDragDrop({L"C:\\new.jpg", L"c:\\y.jpg"});
    EXPECT_EQ(L.rows, (Rows{L"C:\\new.jpg", L"c:\\y.jpg", L"C:\\x.jpg", L"C:\\z.jpg"}));
    EXPECT_EQ(L.index, 0);
    EXPECT_EQ(L.toolTip, L"C:\\new.jpg");

    form1.L_OLEDragDrop({});  // no file list: nothing changes
    EXPECT_EQ(L.ListCount(), 4);

    form1.Command3_Click();
    EXPECT_TRUE(L.rows.empty());
}

}  // namespace
}  // namespace velmora::test
