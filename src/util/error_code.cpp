#include "util/error_code.h"

#include <cerrno>

namespace tb {

ErrorCode mapError(uint32_t osError) {
    switch (osError) {
    case 0:
        return err::kOk;
    case 2:    // file not found
    case 3:    // path not found
    case 1814: // resource name not found
        return err::kNotFound;
    case 5:  // access denied
    case 32: // sharing violation
        return err::kAccessDenied;
    case 21:
        return err::kNotReady;
    case 50:
        return err::kNotSupported;
    case 80:  // file exists
    case 183: // already exists
        return err::kAlreadyExists;
    case 8:
        return err::kOutOfMemory;
    case 120:
        return err::kNotImplemented;
    case 123:
        return err::kInvalidName;
    case 161:
        return err::kBadPath;
    case 234:
        return err::kMoreData;
    case 1418:
        return err::kOther;
    default:
        return err::kGeneric;
    }
}

// errno onto the codes callers know:
//   0                                          -> 0
//   ENOENT, ENOTDIR                            -> 1168 (missing file or path)
//   EACCES, EPERM, EROFS, ETXTBSY, EBUSY,
//   EISDIR                                     -> 5    (locked or no permission)
//   ENODEV, ENXIO, ENOMEDIUM                   -> 21   (device not ready)
//   ENOTSUP / EOPNOTSUPP                       -> 50
//   EEXIST                                     -> 183
//   ENOMEM                                     -> -3
//   ENOSYS                                     -> -4
//   ELOOP (symbolic link loop)                 -> -7   (bad path)
//   ENAMETOOLONG, EINVAL, EILSEQ               -> -10  (a name the file system refuses)
//   anything else (ENOSPC, EIO, EMFILE, ...)   -> -5
// EINVAL counts as an invalid name because file calls here only get it for names the file
// system cannot hold (e.g. reserved characters on FAT); our own arguments are always valid.
ErrorCode mapErrno(int errnoValue) {
    switch (errnoValue) {
    case 0:
        return err::kOk;
    case ENOENT:
    case ENOTDIR:
        return err::kNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
    case EBUSY:
    case EISDIR:
        return err::kAccessDenied;
    case ENODEV:
    case ENXIO:
    case ENOMEDIUM:
        return err::kNotReady;
#if EOPNOTSUPP != ENOTSUP
    case EOPNOTSUPP:
#endif
    case ENOTSUP:
        return err::kNotSupported;
    case EEXIST:
        return err::kAlreadyExists;
    case ENOMEM:
        return err::kOutOfMemory;
    case ENOSYS:
        return err::kNotImplemented;
    case ELOOP:
        return err::kBadPath;
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
        return err::kInvalidName;
    default:
        return err::kGeneric;
    }
}

} // namespace tb
