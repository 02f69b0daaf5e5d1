#pragma once

#include <cstdint>

namespace melodex::member {

// Member identifiers of the MidiControl dispatch interface. Hosts call the
// control by these numbers, so they never change.
inline constexpr std::int32_t OpenHandle = 0x60030005;
inline constexpr std::int32_t CloseHandle = 0x60030006;
inline constexpr std::int32_t PlayNote = 0x60030007;
inline constexpr std::int32_t SendShortMsg = 0x60030008;
inline constexpr std::int32_t ChangePatch = 0x60030009;
inline constexpr std::int32_t GetPatch = 0x6003000A;
inline constexpr std::int32_t StopNote = 0x6003000B;
inline constexpr std::int32_t ChangePan = 0x6003000C;
inline constexpr std::int32_t GetPan = 0x6003000D;
inline constexpr std::int32_t BendPitch = 0x6003000E;
inline constexpr std::int32_t GetPitchBend = 0x6003000F;
inline constexpr std::int32_t GetDevName = 0x60030010;
inline constexpr std::int32_t GetDevType = 0x60030011;
inline constexpr std::int32_t About = -552;

inline constexpr std::int32_t CurrentDevice = 0x68030000;
inline constexpr std::int32_t DeviceCount = 0x68030001;
inline constexpr std::int32_t BPM = 0x68030002;
inline constexpr std::int32_t MidiError = 0x68030003;

}  // namespace melodex::member
