#pragma once
// The analyzer's command codes that the configurations select, and the lists
// whose positions the configurations store as indexes. Every table is data:
// position (or setting) -> code, nothing computed, so a table can be checked
// against the analyzer's command reference line by line.

#include <QString>
#include <array>
#include <cstddef>

#include "runtime/Types.h"

namespace orvanRV1Xtst::codes {

// The entry at a 0-based index of a table; the empty text outside it.
template <std::size_t N>
QString at(const std::array<const char*, N>& table, long long index) {
  if (index < 0 || index >= static_cast<long long>(N)) return QString();
  return QString::fromLatin1(table[static_cast<std::size_t>(index)]);
}

// Loads the analyzer puts on the pacer output, by load-list position.
inline constexpr std::array<const char*, 27> kLoadCodes = {
    "Q00", "Q01", "Q02", "Q03", "Q04", "Q05", "Q06", "Q07", "Q08",
    "Q09", "Q10", "Q11", "Q12", "Q13", "Q14", "Q15", "Q16", "Q17",
    "Q18", "Q19", "Q20", "Q21", "Q22", "Q23", "Q24", "Q25", "Q26"};

inline constexpr std::array<const char*, 27> kLoadList = {
    "Fixed load", "50 Ohm",   "100 Ohm",  "150 Ohm",  "200 Ohm",  "300 Ohm",  "400 Ohm",
    "500 Ohm",    "600 Ohm",  "700 Ohm",  "800 Ohm",  "900 Ohm",  "1000 Ohm", "1100 Ohm",
    "1200 Ohm",   "1300 Ohm", "1400 Ohm", "1500 Ohm", "1600 Ohm", "1700 Ohm", "1800 Ohm",
    "1900 Ohm",   "2000 Ohm", "2100 Ohm", "2200 Ohm", "2300 Ohm", "43.8K Ohm"};

// Trigger waves of the sensitivity test: five widths of each of three shapes.
inline constexpr std::array<const char*, 15> kTriggerCodes = {"Y01", "Y02", "Y03", "Y04", "Y05",
                                                              "Y06", "Y07", "Y08", "Y09", "Y10",
                                                              "Y11", "Y12", "Y13", "Y14", "Y15"};

inline constexpr std::array<const char*, 15> kTriggerWaveList = {
    "10 ms Sqr.", "25 ms Sqr.", "40 ms Sqr.", "100 ms Sqr.", "200 ms Sqr.",
    "10 ms Tri.", "25 ms Tri.", "40 ms Tri.", "100 ms Tri.", "200 ms Tri.",
    "10 ms SSQ.", "25 ms SSQ.", "40 ms SSQ.", "100 ms SSQ.", "200 ms SSQ."};

// Pacer rates the operator sets on the pacer (no analyzer command).
inline constexpr std::array<const char*, 15> kRateList = {
    "40 ppm",  "50 ppm",  "60 ppm",  "70 ppm",  "80 ppm",  "90 ppm",  "100 ppm", "110 ppm",
    "120 ppm", "130 ppm", "140 ppm", "150 ppm", "160 ppm", "170 ppm", "180 ppm"};

// Pacer amplitudes the operator sets, 30 mA to 200 mA in 5 mA steps.
inline constexpr std::array<const char*, 35> kAmplitudeList = {
    "30 mA",  "35 mA",  "40 mA",  "45 mA",  "50 mA",  "55 mA",  "60 mA",  "65 mA",  "70 mA",
    "75 mA",  "80 mA",  "85 mA",  "90 mA",  "95 mA",  "100 mA", "105 mA", "110 mA", "115 mA",
    "120 mA", "125 mA", "130 mA", "135 mA", "140 mA", "145 mA", "150 mA", "155 mA", "160 mA",
    "165 mA", "170 mA", "175 mA", "180 mA", "185 mA", "190 mA", "195 mA", "200 mA"};

// Line-frequency noise of the pacer-accuracy test, by noise-list position:
// 0 "Off", 1..10 the 50 Hz levels and 11..20 the 60 Hz levels, smallest
// first. The analyzer's codes mirror around Off (N11): the 50 Hz levels run
// from N10 (smallest) down to N01 (largest), the 60 Hz levels from N12
// (smallest) up to N21 (largest). So position 10 + k of the 60 Hz levels
// (k = 1..10) sends N(11 + k): the smallest 60 Hz level N12, the largest
// N21, each position a level of its own and of the frequency it names.
// Position 21 lies beyond the list and has no code: a run refuses it
// rather than play a level the operator did not choose.
inline constexpr std::array<const char*, 21> kNoiseCodes = {
    "N11", "N10", "N09", "N08", "N07", "N06", "N05", "N04", "N03", "N02", "N01",
    "N12", "N13", "N14", "N15", "N16", "N17", "N18", "N19", "N20", "N21"};

// ECG waves the analyzer plays during the discharge test, by wave-list
// position; the name is what the configuration keeps (untranslated).
struct DischargeWave {
  const char* command;
  const char* name;
};
inline constexpr std::array<DischargeWave, 20> kDischargeWaves = {{
    {"E03", "Sine 30 BPM"},  {"E04", "Sine 60 BPM"},  {"E05", "Sine 80 BPM"},
    {"E06", "Sine 120 BPM"}, {"E07", "Sine 180 BPM"}, {"E08", "Sine 240 BPM"},
    {"E09", "Sine 300 BPM"}, {"E10", "Afib"},         {"E11", "Blk II"},
    {"E12", "RBBB"},         {"E13", "PAC"},          {"E14", "PVC Early"},
    {"E15", "PVC Std"},      {"E16", "PVC RonT"},     {"E17", "MF PVC"},
    {"E18", "Bigeminy"},     {"E19", "Run 5 PVC"},    {"E20", "Vtach"},
    {"E02", "Vfib"},         {"E01", "OFF"},
}};

// ECG amplitude by step (0.5 mV per step); step 0 has no command.
inline constexpr std::array<const char*, 5> kAmplitudeStepCodes = {"", "A4", "A3", "A2", "A1"};

// Waves of the performance test by wave code ((list + 1) x 100 + position),
// with the text id under which the result names the run.
struct PerformanceWave {
  rt::Long wavetype;
  const char* command;
  const char* textKey;
};
inline constexpr std::array<PerformanceWave, 32> kPerformanceWaves = {{
    {100, "E03", "20500::Sine 30 BPM"},  {101, "E04", "20501::Sine 60 BPM"},
    {102, "E05", "20502::Sine 80 BPM"},  {103, "E06", "20503::Sine 120 BPM"},
    {104, "E07", "20504::Sine 180 BPM"}, {105, "E08", "20505::Sine 240 BPM"},
    {106, "E09", "20506::Sine 300 BPM"}, {200, "E02", "20507::VFib"},
    {201, "E10", "20508::AFib"},         {202, "E11", "20509::Second Degree Block Type I"},
    {203, "E12", "20510::RBBB"},         {204, "E13", "20511::PAC"},
    {205, "E14", "20512::PVC Early"},    {206, "E15", "20513::PVC Std"},
    {207, "E16", "20514::PVC RonT"},     {208, "E17", "20515::MF PVC"},
    {209, "E18", "20516::Bigemeny"},     {210, "E19", "20517::Run 5 PVC"},
    {211, "E20", "20518::Vtach"},        {300, "W02", "20521::Pulse 4 sec"},
    {301, "W03", "20522::Square 2 Hz"},  {302, "W04", "20523::Triangle 2 Hz"},
    {303, "W05", "20524::Sine 0.1 Hz"},  {304, "W06", "20525::Sine 0.2 Hz"},
    {305, "W07", "20526::Sine 0.5 Hz"},  {306, "W08", "20527::Sine 10 Hz"},
    {307, "W09", "20528::Sine 40 Hz"},   {308, "W10", "20529::Sine 50 Hz"},
    {309, "W11", "20530::Sine 60 Hz"},   {310, "W12", "20531::Sine 100 Hz"},
    {311, "W13", "20532::Pulse 30 BPM"}, {312, "W14", "20533::Pulse 60 BPM"},
}};

// The entry of a wave code, or nullptr for a code outside the table.
const PerformanceWave* performanceWave(rt::Long wavetype);

// Amplitudes of the performance test in millivolts, matched exactly.
struct PerformanceAmplitude {
  rt::Single millivolts;
  const char* command;
};
inline constexpr std::array<PerformanceAmplitude, 4> kPerformanceAmplitudes = {{
    {0.5f, "A4"},
    {1.0f, "A3"},
    {1.5f, "A2"},
    {2.0f, "A1"},
}};

QString performanceAmplitudeCode(rt::Single millivolts);

}  // namespace orvanRV1Xtst::codes
