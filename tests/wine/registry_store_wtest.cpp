#include <windows.h>

#include <gtest/gtest.h>

#include "services/RegistryStore.h"

using namespace plover;

namespace {

const wchar_t kKey[] = L"Software\\WREN\\PloverTest\\Config";

class RegistryStore : public ::testing::Test {
protected:
    void SetUp() override { ::RegDeleteKeyW(HKEY_CURRENT_USER, kKey); }
    void TearDown() override { ::RegDeleteKeyW(HKEY_CURRENT_USER, kKey); }

    void PutRaw(const wchar_t* name, DWORD type, const void* data, DWORD size)
    {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                    &key, nullptr),
                  ERROR_SUCCESS);
        ::RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
        ::RegCloseKey(key);
    }

    CRegistryStore m_store{kKey};
};

}  // namespace

TEST_F(RegistryStore, WritesDwordsAndTextsThatReadBack)
{
    EXPECT_EQ(Read(m_store, cfg::IconSec), 100);  // no key at all yet
    Write(m_store, cfg::IconSec, -7);
    Write(m_store, cfg::StartWav, L"チャイム.wav");
    EXPECT_EQ(Read(m_store, cfg::IconSec), -7);
    EXPECT_EQ(Read(m_store, cfg::StartWav), L"チャイム.wav");

    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    DWORD type = 0;
    ::RegQueryValueExW(key, L"IconSec", nullptr, &type, nullptr, nullptr);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    ::RegQueryValueExW(key, L"StartWav", nullptr, &type, nullptr, nullptr);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    ::RegCloseKey(key);
}

TEST_F(RegistryStore, ValuesOfTheWrongTypeOrSizeReadAsTheDefault)
{
    PutRaw(L"CursorNo", REG_SZ, L"5", 4);
    const WORD shortValue = 3;
    PutRaw(L"IconSec", REG_BINARY, &shortValue, sizeof shortValue);
    const unsigned long long wide = 9;
    PutRaw(L"DestroySec", REG_QWORD, &wide, sizeof wide);
    const DWORD number = 4;
    PutRaw(L"StartWav", REG_DWORD, &number, sizeof number);
    EXPECT_EQ(Read(m_store, cfg::CursorNo), 1);
    EXPECT_EQ(Read(m_store, cfg::IconSec), 100);
    EXPECT_EQ(Read(m_store, cfg::DestroySec), 100);
    EXPECT_EQ(Read(m_store, cfg::StartWav), L"Plover.wav");
}

TEST_F(RegistryStore, TextWithoutTerminatingZeroReadsWhole)
{
    const wchar_t text[] = {L'a', L'b', L'c'};
    PutRaw(L"VerWav", REG_SZ, text, sizeof text);
    EXPECT_EQ(Read(m_store, cfg::VerWav), L"abc");
}

// The store keeps its key open between reads; a key deleted meanwhile must not go
// on answering with what it held, nor keep a key made anew from being read.
TEST_F(RegistryStore, AKeyDeletedBetweenReadsIsReadAfresh)
{
    Write(m_store, cfg::IconSec, 5);
    EXPECT_EQ(Read(m_store, cfg::IconSec), 5);
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
    EXPECT_EQ(Read(m_store, cfg::IconSec), 100);
    const DWORD value = 9;
    PutRaw(L"IconSec", REG_DWORD, &value, sizeof value);
    EXPECT_EQ(Read(m_store, cfg::IconSec), 9);
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
    PutRaw(L"StartWav", REG_SZ, L"x.wav", 12);
    EXPECT_EQ(Read(m_store, cfg::StartWav), L"x.wav");
}
