#include <gtest/gtest.h>

#include "app/StartPlacement.h"
#include "services/Settings.h"

using namespace plover;

TEST(Settings, EachReaderHasItsOwnDefault)
{
    CMemorySettingsStore store;
    EXPECT_EQ(Read(store, cfg::CursorNo), 1);
    EXPECT_EQ(Read(store, cfg::IconSec), 100);
    EXPECT_EQ(Read(store, cfg::StartPositionPosX), 300);
    EXPECT_EQ(Read(store, cfg::StartPositionPosY), 400);
    EXPECT_EQ(Read(store, cfg::TitleBarForSheet), 1);
    EXPECT_EQ(Read(store, cfg::TitleBarAfterWrite), 0);
    EXPECT_EQ(Read(store, cfg::EndWav), L"Plover.wav");
    EXPECT_EQ(Read(store, cfg::EndWavForSheet), L"PloverExit.Wav");

    Write(store, cfg::TitleBarForSheet, 0);
    EXPECT_EQ(Read(store, cfg::TitleBarAfterWrite), 0);
    Write(store, cfg::EndWav, L"chime.wav");
    EXPECT_EQ(Read(store, cfg::EndWavForSheet), L"chime.wav");
}

TEST(Settings, ValueOfTheOtherTypeReadsAsDefault)
{
    CMemorySettingsStore store;
    store.WriteString(L"IconSec", L"12");
    EXPECT_EQ(Read(store, cfg::IconSec), 100);
    store.WriteInt(L"StartWav", 5);
    EXPECT_EQ(Read(store, cfg::StartWav), L"Plover.wav");
}

TEST(SettingsModel, LoadsEveryKeyWithItsReadersDefaultAndSavesWhatTheSheetConfirms)
{
    CMemorySettingsStore store;
    const CPloverSettings program = LoadSettings(store);
    EXPECT_EQ(program, CPloverSettings{});
    EXPECT_EQ(program.exitSound, L"Plover.wav");
    EXPECT_EQ(LoadSettingsForSheet(store).exitSound, L"PloverExit.Wav");
    EXPECT_EQ(LoadSettingsForSheet(store).startSound, L"Plover.Wav");

    // Every field away from its default: what is saved comes back, except the
    // window's place and size, which only the exit writes.
    CPloverSettings changed;
    int value = 7;
    for (int* field : {&changed.cursor,
                       &changed.minimizeByTimer,
                       &changed.minimizeAfterSeconds,
                       &changed.closeByTimer,
                       &changed.closeAfterSeconds,
                       &changed.startWithoutTitleBar,
                       &changed.startWithoutMenuBar,
                       &changed.startAtLastPosition,
                       &changed.startAtLastSize,
                       &changed.lastLeft,
                       &changed.lastTop,
                       &changed.lastWidth,
                       &changed.lastHeight,
                       &changed.showStars,
                       &changed.titleBarShown,
                       &changed.menuBarShown,
                       &changed.showDate,
                       &changed.showTarget,
                       &changed.showLowerPanel,
                       &changed.lowerPanel,
                       &changed.clock24Hour,
                       &changed.clockFont,
                       &changed.playSounds})
        *field = value++;
    changed.startSound = L"a.wav";
    changed.exitSound = L"b.wav";
    changed.aboutSound = L"c.wav";
    SaveOptions(store, changed);
    CPloverSettings expected = changed;
    const CPloverSettings defaults;
    expected.lastLeft = defaults.lastLeft;
    expected.lastTop = defaults.lastTop;
    expected.lastWidth = defaults.lastWidth;
    expected.lastHeight = defaults.lastHeight;
    EXPECT_EQ(LoadSettings(store), expected);
    EXPECT_FALSE(store.ReadInt(L"StartPositionPosX").has_value());
    EXPECT_EQ(Read(store, cfg::SCI), changed.lowerPanel);
    EXPECT_EQ(Read(store, cfg::TitleBarAfterWrite), changed.titleBarShown);
    EXPECT_EQ(Read(store, cfg::EndWavForSheet), L"b.wav");
}

namespace {
const std::vector<Rect> kScreen{{0, 0, 1024, 738}};
}

TEST(StartPlacement, EmptyStoreOpens400By300Centred)
{
    CMemorySettingsStore store;
    EXPECT_EQ(ComputeStartRect(store, 1024, 768, kScreen), (Rect{312, 234, 712, 534}));
    EXPECT_EQ(ComputeStartRect(store, 640, 480, {{0, 0, 640, 480}}), (Rect{120, 90, 520, 390}));
    // The same size to the eye at 125 % and 200 %; a stored size stays as stored.
    EXPECT_EQ(ComputeStartRect(store, 1920, 1080, kScreen, 120), (Rect{710, 352, 1210, 727}));
    EXPECT_EQ(ComputeStartRect(store, 1920, 1080, kScreen, 192), (Rect{560, 240, 1360, 840}));
    Write(store, cfg::StartValue, 1);
    StoreWindowRect(store, Rect{10, 20, 610, 470});
    EXPECT_EQ(ComputeStartRect(store, 1920, 1080, kScreen, 192).Width(), 600);
}

TEST(StartPlacement, StoredPositionAndSizeAreUsedOnlyWhenAskedFor)
{
    CMemorySettingsStore store;
    Write(store, cfg::StartPosition, 1);
    EXPECT_EQ(ComputeStartRect(store, 1024, 768, kScreen), (Rect{300, 400, 700, 700}));

    StoreWindowRect(store, Rect{10, 20, 610, 470});
    EXPECT_EQ(ComputeStartRect(store, 1024, 768, kScreen), (Rect{10, 20, 410, 320}));
    Write(store, cfg::StartValue, 1);
    EXPECT_EQ(ComputeStartRect(store, 1024, 768, kScreen), (Rect{10, 20, 610, 470}));
    Write(store, cfg::StartPosition, 0);
    EXPECT_EQ(ComputeStartRect(store, 1024, 768, kScreen), (Rect{212, 159, 812, 609}));
}

TEST(StartPlacement, PlacesNobodyCouldSeeOpenCentred)
{
    CMemorySettingsStore store;
    Write(store, cfg::StartPosition, 1);
    // The rectangle a minimised window reports.
    StoreWindowRect(store, Rect{-32000, -32000, -31840, -31973});
    Write(store, cfg::StartValueWidth, 400);
    Write(store, cfg::StartValueHeight, 300);
    EXPECT_EQ(ComputeStartRect(store, 1024, 768, kScreen), (Rect{312, 234, 712, 534}));

    // A monitor that is gone; a second monitor that is still there.
    StoreWindowRect(store, Rect{2000, 100, 2400, 400});
    EXPECT_EQ(ComputeStartRect(store, 1024, 768, kScreen).left, 312);
    const std::vector<Rect> two{{0, 0, 1024, 738}, {1024, 0, 2944, 1050}};
    EXPECT_EQ(ComputeStartRect(store, 1024, 768, two).left, 2000);
}

TEST(StartPlacement, OddStoredValuesFallBackInsteadOfOverflowing)
{
    CMemorySettingsStore store;
    Write(store, cfg::StartPosition, 1);
    Write(store, cfg::StartValue, 1);
    Write(store, cfg::StartPositionPosX, 0x7FFFFFFF);
    Write(store, cfg::StartValueWidth, 0x7FFFFFFF);
    Write(store, cfg::StartValueHeight, -5);
    EXPECT_EQ(ComputeStartRect(store, 1024, 768, kScreen), (Rect{312, 234, 712, 534}));
}
