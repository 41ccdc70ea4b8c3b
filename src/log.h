#pragma once

#include <cstdint>
#include <string>

namespace kvelmora
{
constexpr std::uintmax_t logSizeLimit = 8 * 1024 * 1024; // bytes; beyond it the log moves to log.1.txt

void WriteLog(const std::string& text);
void ResetLog(); // empties log.txt and leaves the previous log.1.txt alone
} // namespace kvelmora
