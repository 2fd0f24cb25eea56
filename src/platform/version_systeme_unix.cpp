#include "platform/version_systeme.h"

namespace lanceron {

// Unix systems have no Windows version record.
std::optional<EnregistrementVersion> lireVersionSysteme()
{
    return std::nullopt;
}

} // namespace lanceron
