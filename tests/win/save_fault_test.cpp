// The launcher's dialog on a disk that fills up while the run list is written:
// what the user is told and what the file holds afterwards.
#include <gtest/gtest.h>

#include <memory>

#include "DiskFullStore.h"
#include "RunDialogTest.h"
#include "runlist/RunListWin.h"

using namespace wintest;

namespace {

class SaveFaultTest : public RunDialogTest {
protected:
    SaveFaultTest()
    {
        m_makeStore = [this](const std::wstring& path) -> std::unique_ptr<IRunListStore> {
            if (m_bDiskFull)
                return std::make_unique<DiskFullStore>(path);
            return std::make_unique<RunListStoreWin>(path);
        };
    }
    static bool TempFileLeft() { return Exists(Narrow(RunListStoreWin(Widen(RunListPath())).TempPath())); }

    // For its life, the dialog's loads and saves go to a disk that fills up
    // part-way through every write.
    class FullDisk {
    public:
        explicit FullDisk(SaveFaultTest& test) : m_test(test) { m_test.m_bDiskFull = true; }
        ~FullDisk() { m_test.m_bDiskFull = false; }
        FullDisk(const FullDisk&) = delete;
        FullDisk& operator=(const FullDisk&) = delete;

    private:
        SaveFaultTest& m_test;
    };

    bool m_bDiskFull = false;
};

TEST_F(SaveFaultTest, ASaveThatFailsPartWayIsReportedAndLeavesTheOldFileAsItWas)
{
    const V paths = {"C:\\a.zel", "C:\\b.zel", "C:\\c.zel"};
    OpenWith(paths);
    const std::string before = ReadFileBytes(RunListPath());
    ClickItem(0);
    Press(List(), VK_DELETE);
    ASSERT_EQ(List().GetCount(), 2);

    MessageBoxWatcher boxes;
    {
        FullDisk disk(*this);
        CloseWith(VK_RETURN);
    }
    EXPECT_EQ(boxes.Texts(), V{"create _zelrunlist file error."});
    EXPECT_EQ(ReadFileBytes(RunListPath()), before);
    EXPECT_FALSE(TempFileLeft());

    // The next start finds the old list whole.
    Open();
    EXPECT_EQ(PathHead(List()), paths);
}

TEST_F(SaveFaultTest, DefaultsThatCannotBeWrittenAtFirstStartLeaveNoFileBehind)
{
    MessageBoxWatcher boxes;
    FullDisk disk(*this);
    Open();
    EXPECT_EQ(boxes.Texts(), V{"create _zelrunlist file error."});
    EXPECT_EQ(List().GetCount(), 0);
    EXPECT_FALSE(Exists(RunListPath()));
    EXPECT_FALSE(TempFileLeft());

    // The empty list's save at close meets the same full disk.
    CloseWith(VK_ESCAPE);
    EXPECT_EQ(boxes.Texts(), (V{"create _zelrunlist file error.", "create _zelrunlist file error."}));
    EXPECT_FALSE(Exists(RunListPath()));
    EXPECT_FALSE(TempFileLeft());
}

}  // namespace
