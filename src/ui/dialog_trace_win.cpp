// SPDX-License-Identifier: MIT
#include "ui/dialog_trace.h"

#include <windows.h>

namespace kz::ui {

namespace {

constexpr const wchar_t* kProject = L"Software\\QtProject";
constexpr const wchar_t* kDialog = L"Software\\QtProject\\OrganizationDefaults\\FileDialog";
constexpr const wchar_t* kDefaults = L"Software\\QtProject\\OrganizationDefaults";

bool exists(const wchar_t* key)
{
    HKEY h = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) != ERROR_SUCCESS)
        return false;
    RegCloseKey(h);
    return true;
}

} // namespace

DialogTrace::DialogTrace() : hadProject_(exists(kProject)), hadDialog_(exists(kDialog)) {}

DialogTrace::~DialogTrace()
{
    if (!hadProject_) {
        RegDeleteTreeW(HKEY_CURRENT_USER, kProject);
        RegDeleteKeyW(HKEY_CURRENT_USER, kProject);
    } else if (!hadDialog_) {
        RegDeleteTreeW(HKEY_CURRENT_USER, kDialog);
        RegDeleteKeyW(HKEY_CURRENT_USER, kDialog);
        RegDeleteKeyW(HKEY_CURRENT_USER, kDefaults); // only when empty: another program's stays
    }
}

} // namespace kz::ui
