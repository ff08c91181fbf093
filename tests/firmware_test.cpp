// SPDX-License-Identifier: Zlib
// Runs the check firmware of each small core under its simulator. The firmware checks every
// call of every routine on the chip; here the host checks that it says so, and holds the Newton
// traces it printed to the host's own expectations, byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <map>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.hpp"
#include "expected_trace.hpp"
#include "routines.hpp"

namespace {

// A core of cmake/cores.txt: its check firmware, the script that runs it under its simulator and
// prints its output as plain text, and what its library's object code must show.
struct Core {
    const char* name;
    const char* missing;   // why the firmware cannot be built here, or empty
    const char* run_needs; // PROGRAM_OR_PATH:DEBIAN_PACKAGE ..., looked for when the test runs
    const char* run;
    const char* firmware; // without its suffix: .elf, or .ihx from SDCC
    const char* build;    // the core's build folder
    const char* forms;    // the forms its library must build: bit-by-bit, then Newton
    bool multiplier;
    bool divider;
    const char* float_baseline; // software, fpu (two of them) or none
};

void PrintTo(const Core& core, std::ostream* os)
{
    *os << core.name;
}

constexpr auto cores = std::to_array<Core>({
#include "firmware_table.inc"
});

// Every routine the firmware checks on a core, in its order.
std::vector<std::string> routines_of(const Core& core)
{
    // NOLINTBEGIN(cppcoreguidelines-macro-usage): expand the lists of routines
#define ROUTINE_NAME(name, plain, counts, sweep_passes) #name,
#define PURE_ROOT_NAME(name, plain, floor) #name,
    std::vector<std::string> routines{"sqrt_u8", QUORVANTEL_WIDE_ROUTINES(ROUTINE_NAME)
                                                     QUORVANTEL_PURE_ROOTS(PURE_ROOT_NAME)};
#undef ROUTINE_NAME
#undef PURE_ROOT_NAME
    // NOLINTEND(cppcoreguidelines-macro-usage)
    const std::string float_baseline = core.float_baseline;
    if (float_baseline != "none") routines.emplace_back("float_root");
    if (float_baseline == "fpu") routines.emplace_back("float_root_inline");
    return routines;
}

// The first of PATH + SUFFIX that exists, or the first of them where none does.
std::string first_file(const std::string& path, std::initializer_list<const char*> suffixes)
{
    for (const char* suffix : suffixes) {
        if (std::filesystem::exists(path + suffix)) return path + suffix;
    }
    return path + *suffixes.begin();
}

// run.sh exits with this status, and says why, where it cannot run the firmware here.
constexpr int skip_status = 77;

// Why the core's firmware cannot run here, or empty: found when the test runs, so that a
// simulator installed after the build counts.
std::string missing_to_run(const Core& core)
{
    if (*core.missing != '\0') return core.missing;
    std::istringstream needs(core.run_needs);
    for (std::string need; needs >> need;) {
        std::string what = need.substr(0, need.find(':'));
        const std::string package = need.substr(need.find(':') + 1);
        const bool found =
            what.starts_with('/')
                ? std::filesystem::exists(what)
                : run_child("/bin/sh", {"sh", "-c", "command -v \"$0\"", what}).exit_code == 0;
        if (!found) return what.append(" not found (Debian package ").append(package).append(")");
    }
    return "";
}

struct Section {
    std::string trace;
    std::string end;
};

// Splits the firmware's output into its "check begin" ... "check end" sections.
std::map<std::string, Section> sections_of(const std::string& output, std::string& last_line)
{
    std::map<std::string, Section> sections;
    std::istringstream stream(output);
    Section* open = nullptr;
    for (std::string line; std::getline(stream, line);) {
        if (line.starts_with("check begin ")) {
            open = &sections[line.substr(12)];
        } else if (line.starts_with("check end ")) {
            if (open != nullptr) open->end = line;
            open = nullptr;
        } else if (open != nullptr) {
            open->trace += line + "\n";
        }
        if (line.starts_with("check ")) last_line = line;
    }
    return sections;
}

std::string probe_trace(const std::string& routine)
{
    return run_child(ROOT_PROBE, {ROOT_PROBE, routine, "all"}).out;
}

class Firmware : public testing::TestWithParam<Core> {};

TEST_P(Firmware, ChecksEveryCallOfEveryRoutineAndPrintsTheHostsTraces)
{
    const Core& core = GetParam();
    const std::string missing = missing_to_run(core);
    if (!missing.empty()) GTEST_SKIP() << missing;

    const ChildResult run =
        run_child("/bin/bash", {"bash", core.run, first_file(core.firmware, {".elf", ".ihx"})});
    if (run.exit_code == skip_status) GTEST_SKIP() << run.out << run.err;
    ASSERT_EQ(run.exit_code, 0) << run.out << run.err;
    const std::string& output = run.out;

    std::string last_line;
    const auto sections = sections_of(output, last_line);
    EXPECT_EQ(last_line, "check passed") << output;
    const auto routines = routines_of(core);
    EXPECT_EQ(sections.size(), routines.size()) << output;
    for (const std::string& routine : routines) {
        SCOPED_TRACE(routine);
        ASSERT_EQ(sections.count(routine), 1U) << output;
        EXPECT_TRUE(sections.at(routine).end.starts_with("check end " + routine + " ok passes="))
            << sections.at(routine).end;
        const auto* const newton =
            std::find_if(newton_traces.begin(), newton_traces.end(),
                         [&](const NewtonTrace& n) { return routine == n.routine; });
        const std::string& trace = sections.at(routine).trace;
        if (newton == newton_traces.end()) {
            EXPECT_EQ(trace, "");
        } else {
            newton->expect_ascending_trace(trace);
            EXPECT_EQ(trace, probe_trace(routine));
        }
    }
}

// The library as each core builds it: the forms meant for the core (each form names itself by an
// absolute symbol, quorvantel_KIND_form_FORM), on a core without a multiplier bit-by-bit roots
// that call no software multiply (__mulhi3, __mulsi3, ...), and on a core without a divide
// instruction Newton roots that call no library division (__udivmodhi4, __aeabi_uidiv,
// __udivsi3, __umodsi3, ...).
class ObjectCode : public testing::TestWithParam<Core> {};

// The symbols of each object of the core's library (bit_by_bit, newton, ...): what it defines
// and what it uses from elsewhere.
struct Symbols {
    std::set<std::string> defined;
    std::set<std::string> used;
};

// SDCC names a C function with a leading underscore.
bool among(const std::set<std::string>& names, const std::string& name)
{
    return names.count(name) == 1 || names.count("_" + name) == 1;
}

// As nm lists them (GCC's objects, and SDCC's where sdnm lists every symbol)...
void read_nm_listing(const std::string& listing, std::map<std::string, Symbols>& objects)
{
    std::istringstream lines(listing);
    std::string object;
    for (std::string line; std::getline(lines, line);) {
        if (line.ends_with(":")) {
            // bit_by_bit.cpp.o, or .obj as CMake names objects on a bare-metal system
            object = line.substr(0, line.find('.'));
            continue;
        }
        std::istringstream fields(line);
        std::vector<std::string> words;
        for (std::string word; fields >> word;) words.push_back(word);
        if (words.size() < 2) continue;
        (words[words.size() - 2] == "U" ? objects[object].used : objects[object].defined)
            .insert(words.back());
    }
}

// ... and as SDCC's text objects state them, which also name absolute symbols sdnm leaves out:
// "S NAME Def..." and "S NAME Ref...".
void read_sdcc_objects(const std::string& library, std::map<std::string, Symbols>& objects)
{
    const ChildResult members = run_child("/usr/bin/env", {"env", "sdar", "t", library});
    EXPECT_EQ(members.exit_code, 0) << members.err;
    std::istringstream names(members.out);
    for (std::string member; std::getline(names, member);) {
        const ChildResult text = run_child("/usr/bin/env", {"env", "sdar", "p", library, member});
        std::istringstream lines(text.out);
        for (std::string line; std::getline(lines, line);) {
            std::istringstream fields(line);
            std::string kind;
            std::string name;
            std::string how;
            if (!(fields >> kind >> name >> how) || kind != "S") continue;
            auto& symbols = objects[member.substr(0, member.find('.'))];
            (how.starts_with("Ref") ? symbols.used : symbols.defined).insert(name);
        }
    }
}

// A tool of the core's build, as its CMakeCache.txt names it (CMAKE_NM, CMAKE_OBJDUMP).
std::string build_tool(const Core& core, const std::string& variable)
{
    std::ifstream cache(std::string(core.build) + "/CMakeCache.txt");
    std::string tool;
    for (std::string line; std::getline(cache, line);) {
        if (line.starts_with(variable + ":")) tool = line.substr(line.find('=') + 1);
    }
    EXPECT_FALSE(tool.empty()) << "no " << variable << " in " << core.build << "/CMakeCache.txt";
    return tool;
}

std::string library_file(const Core& core)
{
    return first_file(std::string(core.build) + "/roots/",
                      {"libquorvantel_roots.a", "quorvantel_roots.lib"});
}

std::map<std::string, Symbols> library_symbols(const Core& core)
{
    const std::string library = library_file(core);
    // By name or by path: env looks for a name on the PATH.
    const ChildResult listing =
        run_child("/usr/bin/env", {"env", build_tool(core, "CMAKE_NM"), library});
    EXPECT_EQ(listing.exit_code, 0) << listing.err;
    std::map<std::string, Symbols> objects;
    read_nm_listing(listing.out, objects);
    if (library.ends_with(".lib")) read_sdcc_objects(library, objects);
    return objects;
}

TEST_P(ObjectCode, BuildsTheFormsMeantForTheCore)
{
    const Core& core = GetParam();
    if (*core.missing != '\0') GTEST_SKIP() << core.missing;

    auto objects = library_symbols(core);
    std::istringstream forms(core.forms);
    std::string bit_by_bit;
    std::string newton;
    std::string sqrt16;
    forms >> bit_by_bit >> newton >> sqrt16;
    EXPECT_TRUE(among(objects["bit_by_bit"].defined, "quorvantel_bit_by_bit_form_" + bit_by_bit));
    EXPECT_TRUE(among(objects["newton"].defined, "quorvantel_newton_form_" + newton));
    EXPECT_TRUE(among(objects["sqrt16"].defined, "quorvantel_sqrt16_form_" + sqrt16));
    // Proof that the right objects were read.
    EXPECT_TRUE(among(objects["bit_by_bit"].defined, "sqrt_u16_variante4"));
    EXPECT_TRUE(among(objects["sqrt16"].defined, "quorvantel_sqrt16_nearest"));
    EXPECT_TRUE(among(objects["sqrt16"].defined, "quorvantel_sqrt16_floor"));
    if (!core.multiplier) {
        for (const std::string& name : objects["bit_by_bit"].used) {
            EXPECT_FALSE(name.starts_with("__mul")) << name;
        }
    }
    if (!core.divider) {
        for (const std::string& name : objects["newton"].used) {
            const bool divides =
                name.find("div") != std::string::npos || name.find("mod") != std::string::npos;
            EXPECT_FALSE(name.starts_with("__") && divides) << name;
        }
    }
}

// The code of the roots to ship, as the core's library holds it (the object sqrt16): the sizes of
// the writable sections or areas that it has, and its instructions that call.
struct PureCode {
    std::vector<std::string> writable;
    std::vector<std::string> calls;
};

// A nonzero size in hexadecimal.
bool nonzero(const std::string& hex)
{
    return hex.find_first_not_of('0') != std::string::npos;
}

// From GCC's objects, by objdump: the section headers ("  2 .bss   00000004  ...") and the
// disassembly ("  1c:\t9c 01     \tmovw\tr18, r24").
PureCode gcc_pure_code(const Core& core)
{
    const ChildResult dump = run_child(
        "/usr/bin/env", {"env", build_tool(core, "CMAKE_OBJDUMP"), "-h", "-d", library_file(core)});
    EXPECT_EQ(dump.exit_code, 0) << dump.err;
    const std::set<std::string> writable{".data",  ".bss",  ".sdata", ".sbss",
                                         ".tdata", ".tbss", ".noinit"};
    // AVR's call, rcall, icall, eicall; Arm's bl, blx; RISC-V's jal and jalr, which link (j, jr and
    // ret do not); Xtensa's call0 to call12 and callx0 to callx12.
    const std::set<std::string> calls{"call",   "rcall",  "icall",  "eicall", "bl",    "blx",
                                      "jal",    "jalr",   "call0",  "call4",  "call8", "call12",
                                      "callx0", "callx4", "callx8", "callx12"};
    PureCode code;
    std::istringstream lines(dump.out);
    bool inside = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.find(":     file format ") != std::string::npos) {
            inside = line.starts_with("sqrt16.");
            continue;
        }
        if (!inside) continue;
        std::istringstream fields(line);
        std::string index;
        std::string section;
        std::string size;
        if (fields >> index >> section >> size &&
            index.find_first_not_of("0123456789") == std::string::npos &&
            writable.count(section.substr(0, section.find('.', 1))) == 1 && nonzero(size)) {
            code.writable.push_back(section.append(" ").append(size));
        }
        // An instruction's line: address, bytes and mnemonic, each ended by a tab.
        const auto bytes = line.find('\t');
        const auto mnemonic = bytes == std::string::npos ? bytes : line.find('\t', bytes + 1);
        if (line.find(':') < bytes && mnemonic != std::string::npos) {
            const std::string name =
                line.substr(mnemonic + 1, line.find('\t', mnemonic + 1) - mnemonic - 1);
            if (calls.count(name) == 1) code.calls.push_back(line);
        }
    }
    return code;
}

// From SDCC's object text (its areas, "A DSEG size 4 ...") and the assembly beside it.
PureCode sdcc_pure_code(const Core& core)
{
    const std::string object =
        std::string(core.build) + "/roots/CMakeFiles/quorvantel_roots.dir/sqrt16.cpp";
    const std::set<std::string> writable{"DSEG", "ISEG",  "XSEG",     "BSEG", "OSEG",
                                         "PSEG", "XISEG", "BIT_BANK", "DATA", "INITIALIZED"};
    const std::set<std::string> calls{"lcall", "acall", "call", "callr", "callf"};
    PureCode code;
    std::ifstream rel(object + ".rel");
    EXPECT_TRUE(rel.good()) << object << ".rel";
    for (std::string line; std::getline(rel, line);) {
        std::istringstream fields(line);
        std::string kind;
        std::string area;
        std::string size_word;
        std::string size;
        if (fields >> kind >> area >> size_word >> size && kind == "A" &&
            writable.count(area) == 1 && nonzero(size)) {
            code.writable.push_back(area.append(" ").append(size));
        }
    }
    std::ifstream assembly(object + ".asm");
    EXPECT_TRUE(assembly.good()) << object << ".asm";
    for (std::string line; std::getline(assembly, line);) {
        std::istringstream fields(line);
        std::string mnemonic;
        if (fields >> mnemonic && calls.count(mnemonic) == 1) code.calls.push_back(line);
    }
    return code;
}

// The names in a text that tell of printf, the pass counter or a division routine (printf,
// vfprintf, itotal, __udivmodhi4, __aeabi_uidiv, __umodsi3, ...), with C's leading underscores.
std::vector<std::string> unwanted_names(const std::string& text)
{
    std::vector<std::string> found;
    std::string word;
    for (const char c : text + " ") {
        if (std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_') {
            word += c;
            continue;
        }
        const std::string name = word.substr(std::min(word.find_first_not_of('_'), word.size()));
        if (name == "printf" || name == "vfprintf" || name == "itotal" ||
            name.find("div") != std::string::npos || name.find("modhi") != std::string::npos ||
            name.find("modsi") != std::string::npos || name.find("moddi") != std::string::npos) {
            found.push_back(word);
        }
        word.clear();
    }
    return found;
}

// The roots to ship keep no state: their object has no writable data, uses no symbol of another
// (no counter, no sqrt_u8, no library helper) and calls nothing; and a program that calls only
// them (its size probe) links no printf, no counter and no division.
TEST_P(ObjectCode, GivesTheRootsToShipNoStateAndNoCall)
{
    const Core& core = GetParam();
    if (*core.missing != '\0') GTEST_SKIP() << core.missing;

    auto objects = library_symbols(core);
    for (const std::string& name : objects["sqrt16"].used) ADD_FAILURE() << "uses " << name;

    const bool sdcc = library_file(core).ends_with(".lib");
    const PureCode code = sdcc ? sdcc_pure_code(core) : gcc_pure_code(core);
    for (const std::string& data : code.writable) ADD_FAILURE() << "writable data: " << data;
    for (const std::string& call : code.calls) ADD_FAILURE() << "calls: " << call;

    // The probes of the two roots (6 and 7 in size_probe.cpp).
    for (const char* probe : {"6", "7"}) {
        const std::string program =
            std::string(core.build) + "/tests/firmware/quorvantel_size_probe." + probe;
        std::string linked;
        if (sdcc) {
            std::ifstream map(program + ".map");
            EXPECT_TRUE(map.good()) << program << ".map";
            linked.assign(std::istreambuf_iterator<char>(map), {});
        } else {
            // What the program holds, without absolute symbols, which hold no code (picolibc's
            // integer printf names vfprintf so in every lx106 program).
            linked = run_child("/bin/sh",
                               {"sh", "-c", R"("$0" --defined-only "$1" | awk '$2 !~ /^[Aa]$/')",
                                build_tool(core, "CMAKE_NM"), program + ".elf"})
                         .out;
        }
        for (const std::string& name : unwanted_names(linked)) {
            ADD_FAILURE() << program << " links " << name;
        }
    }
}

std::string test_name(const testing::TestParamInfo<Core>& info)
{
    std::string name = info.param.name;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(SmallTargets, Firmware, testing::ValuesIn(cores), test_name);
INSTANTIATE_TEST_SUITE_P(SmallTargets, ObjectCode, testing::ValuesIn(cores), test_name);

} // namespace
