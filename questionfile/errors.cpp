#include "errors.h"

#include <cerrno>
#include <sys/stat.h>

#include "filepaths.h"
#include "texthelpers.h"

std::string InOutErrorMessage(int code)
{
    switch (code) {
    case ioFileNotFound: return "Datei nicht gefunden";
    case ioInvalidName: return "Ungültiger Dateiname";
    case ioTooManyFiles: return "Zu viele geöffnete Dateien";
    case ioAccessDenied: return "Dateizugriff verweigert";
    case ioReadBeyondEnd: return "Versuch hinter dem Dateiende zu lesen";
    case ioDiskFull: return "Zu wenig Speicherplatz";
    case ioInvalidNumber: return "Ungültige numerische Eingabe";
    default: return "E/A-Fehler " + std::to_string(code);
    }
}

namespace {

bool FolderOfExists(const std::string &path)
{
    struct stat st {};
    return ::stat(FolderOf(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

int InOutErrorCode(int sysErrno, const std::string &path)
{
    switch (sysErrno) {
    case ENOENT:
        // A missing folder is a bad name; a missing file in a real folder is just missing.
        return FolderOfExists(path) ? ioFileNotFound : ioInvalidName;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL: return ioInvalidName;
    case EMFILE:
    case ENFILE: return ioTooManyFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY: return ioAccessDenied;
    case ENOSPC:
    case EDQUOT: return ioDiskFull;
    default: return sysErrno;
    }
}

void RaiseInOutError(int code)
{
    throw EMirolaError(InOutErrorMessage(code));
}

void RaiseSystemError(int sysErrno, const std::string &path)
{
    RaiseInOutError(InOutErrorCode(sysErrno, path));
}

void RaiseConvertError(std::string_view text)
{
    throw EMirolaError("'" + OemToUtf8(text) + "' ist kein gültiger Integerwert");
}

void RaiseListIndexError(long long position, std::size_t count)
{
    std::string message = "Listenindex außerhalb des gültigen Bereichs (" + std::to_string(position) + ")";
    if (count == 0)
        message += ". TList ist leer";
    else
        message += ". TList-Bereich ist 0.." + std::to_string(count - 1);
    throw EMirolaError(message);
}
