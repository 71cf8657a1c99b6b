// The MSI's one custom action: checks the configuration a technician names
// with CONFIGFILE before any file is laid down, and tells the installer's own
// MoveFiles action whether to copy it beside the program. The copy itself is
// the installer's; this only decides.
// windows.h first: the installer's headers build on its types.
// clang-format off
#include <windows.h>
#include <msi.h>
#include <msiquery.h>
// clang-format on

#include <string>

namespace {

// Where MoveFiles finds the file to copy; left unset, nothing is copied.
constexpr wchar_t copySourceProperty[] = L"MenuGeralConfigSource";

// A string the installer hands out the Win32 way: asked once for its length,
// then again into a buffer of that size. Empty when it has none.
template <typename Get> std::wstring installerString(Get get)
{
    DWORD length = 0;
    wchar_t empty[1] = L"";
    if (get(empty, &length) != ERROR_MORE_DATA)
        return {};
    std::wstring value(++length, L'\0');
    if (get(value.data(), &length) != ERROR_SUCCESS)
        return {};
    value.resize(length);
    return value;
}

std::wstring property(MSIHANDLE install, const wchar_t *name)
{
    return installerString(
        [&](wchar_t *buffer, DWORD *length) { return MsiGetPropertyW(install, name, buffer, length); });
}

std::wstring targetPath(MSIHANDLE install, const wchar_t *folder)
{
    return installerString(
        [&](wchar_t *buffer, DWORD *length) { return MsiGetTargetPathW(install, folder, buffer, length); });
}

bool readable(const std::wstring &path)
{
    // A folder does not open without FILE_FLAG_BACKUP_SEMANTICS, so it fails too.
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char byte = 0;
    DWORD read = 0;
    const bool ok = ReadFile(file, &byte, 1, &read, nullptr) != FALSE;
    CloseHandle(file);
    return ok;
}

// An error is shown in a box, or only logged when the install is silent.
void report(MSIHANDLE install, INSTALLMESSAGE kind, const std::wstring &text)
{
    const MSIHANDLE record = MsiCreateRecord(0);
    MsiRecordSetStringW(record, 0, text.c_str());
    MsiProcessMessage(install, kind, record);
    MsiCloseHandle(record);
}

} // namespace

extern "C" __declspec(dllexport) UINT __stdcall CheckConfigFile(MSIHANDLE install);

UINT __stdcall CheckConfigFile(MSIHANDLE install)
{
    const std::wstring source = property(install, L"CONFIGFILE");
    if (source.empty())
        return ERROR_SUCCESS;
    if (!readable(source)) {
        report(install, INSTALLMESSAGE(INSTALLMESSAGE_ERROR | MB_OK | MB_ICONERROR),
               L"Não foi possível ler o arquivo de configuração indicado em CONFIGFILE: " + source +
                   L"\nNada foi instalado.");
        return ERROR_INSTALL_FAILURE;
    }
    // A desk's own configuration is kept unless the technician asks otherwise.
    const std::wstring existing = targetPath(install, L"INSTALLDIR") + L"configuracoes.ini";
    const bool overwrite = property(install, L"CONFIGOVERWRITE") == L"1";
    if (overwrite || GetFileAttributesW(existing.c_str()) == INVALID_FILE_ATTRIBUTES)
        MsiSetPropertyW(install, copySourceProperty, source.c_str());
    else
        report(install, INSTALLMESSAGE_INFO,
               L"Mantido o " + existing + L" que já existe; CONFIGOVERWRITE=1 o substitui por " + source + L".");
    return ERROR_SUCCESS;
}
