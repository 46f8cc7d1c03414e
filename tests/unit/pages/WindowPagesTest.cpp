// Every page and panel of the program on its own window's table.
#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <memory>

#include "CtrlPanel/effects/AmpSimPanel.h"
#include "CtrlPanel/effects/CompressorPanel.h"
#include "CtrlPanel/effects/EqPanel.h"
#include "CtrlPanel/effects/ReverbPanel.h"
#include "CtrlPanel/effects/SampleRatePanel.h"
#include "PAL/ConnectionLostPage.h"
#include "PAL/CustomCueMixPage.h"
#include "PAL/CustomMixPage.h"
#include "PAL/HighRatePage.h"
#include "PAL/LayoutTables.h"
#include "PAL/MainPage.h"
#include "PAL/ParameterSet.h"
#include "PAL/ShrinkPage.h"
#include "PAL/TinyPage.h"
#include "PAL/ViewLib/PageController.h"
#include "resources/params/MainParamDescriptors.h"

TEST(WindowPages, EachBuildsEveryRecordOfItsTable)
{
    ParameterSet main(kMainParamDescriptors, kMainParamCount);
    // The page a window's code builds, and the controller that owns it where there is one.
    struct Built {
        std::shared_ptr<ControlPage> page;
        std::shared_ptr<PageController> owner;
    };
    auto page = [](ControlPage* p) { return Built{std::shared_ptr<ControlPage>(p), nullptr}; };
    auto panel = [](PageController* c) {
        std::shared_ptr<PageController> owner(c);
        return Built{std::shared_ptr<ControlPage>(owner, c->GetPage()), owner};
    };
    const struct {
        LayoutWindow window;
        std::function<Built()> build;
    } windows[] = {
        {LayoutWindow::Main, [&] { return page(new MainPage(&main)); }},
        {LayoutWindow::Shrink, [&] { return page(new ShrinkPage(&main)); }},
        {LayoutWindow::Tiny, [&] { return page(new TinyPage(&main)); }},
        {LayoutWindow::HighRate, [&] { return page(new HighRatePage(&main)); }},
        {LayoutWindow::ConnectionLost, [&] { return page(new ConnectionLostPage(&main)); }},
        {LayoutWindow::CustomInputMix, [&] { return panel(new CustomMixPage()); }},
        {LayoutWindow::CustomCueMix, [&] { return panel(new CustomCueMixPage()); }},
        {LayoutWindow::SampleRate, [&] { return panel(new SampleRatePanel()); }},
        {LayoutWindow::Reverb, [&] { return panel(ReverbPanel::Create(nullptr, nullptr, false)); }},
        {LayoutWindow::Eq, [&] { return panel(EqPanel::Create(nullptr, true).release()); }},
        {LayoutWindow::Compressor, [&] { return panel(CompressorPanel::Create(nullptr, true).release()); }},
        {LayoutWindow::AmpSim, [&] { return panel(AmpSimPanel::Create(nullptr, true)); }},
    };
    for (const auto& w : windows) {
        const LayoutTable& table = GetLayoutTable(w.window);
        const Built built = w.build();
        ASSERT_TRUE(built.page) << table.name;
        EXPECT_EQ(built.page->GetTable(), table.records) << table.name;
        EXPECT_EQ(built.page->GetViewCount(), table.count) << table.name;
    }
    EXPECT_EQ(std::size(windows), size_t(kLayoutWindowCount));
}
