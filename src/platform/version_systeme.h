#pragma once
// The system's version record.

#include "about/version.h"

#include <optional>

namespace lanceron {

// The running system's version record; std::nullopt when the system has none or the call fails.
std::optional<EnregistrementVersion> lireVersionSysteme();

} // namespace lanceron
