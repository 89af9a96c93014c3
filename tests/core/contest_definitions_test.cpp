#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "session_fixture.h"

namespace mirva {
namespace {

using Strings = std::vector<std::string>;

constexpr char kHf6[] = "160 80 40 20 15 10";
constexpr char kHf5[] = "80 40 20 15 10";

struct Definition {
  const char* name;  // UTF-8
  const char* call;
  const char* cabrillo;
  const char* modes;  // separated by spaces
  const char* bands;
  bool wae;
  int mult_count;
  const char* captions;      // null: untouched
  const char* sizes;         // of the three lists; "-": the list keeps what it held
  const char* keys;          // "2:39=40": the second list's key at index 39 is "40"; UTF-8
  const char* without = "";  // a file taken away for this set-up
};

// CTY.DAT lists EA EA6 EA8 DL HB HB0 SP ON JA JD1/M 4X HA YU I IS IG9 F FG G OE UA UA9 UA2 TA
// TA1 K KL KH6 VE XE PY LU VP8 VK ZL ZS 4U1V; P-150-C.DAT lists UA R1FJ DL JA K.
const Definition kDefinitions[] = {
    // K, KL, KH6 and VE give way to 51 states and 14 provinces.
    {"ARRL 10 meter Contest", "DL1ABC", "ARRL-10", "CW SSB", "10", true, 1, "DXCC and K/VE states",
     "98 - -", "1:24=TA1 1:25=XE 1:33=K·AL 1:84=VE·NB 1:96=VE·PE 1:97=VE·NU"},
    // Only K and VE give way: Alaska and Hawaii stay countries.
    {"ARRL RTTY Round-Up Contest", "DL1ABC", "ARRL-RTTY", "RTTY", kHf5, true, 1,
     "DXCC and K/VE states", "100 - -", "1:25=KL 1:26=KH6 1:27=XE 1:35=K·AL 1:99=VE·NU"},
    {"Japan International DX Contest (LF CW)", "DL1ABC", "JIDX_LFCW", "CW", "160 80 40", true, 1,
     "Japan prefectures", "50 - -", "1:0=01 1:49=50"},
    {"Japan International DX Contest (HF CW)", "JA1ABC", "JIDX_HFCW", "CW", "20 15 10", true, 2,
     "DXCC\r\nCQ zones", "37 40 -", "1:9=JD1/M 2:0=01 2:39=40"},
    {"Чемпионат/Кубок России телеграфом", "UA3ABC", "", "CW", kHf6, true, 0, nullptr, "- - -", ""},
    {"DARC 10m-Contest", "DL1ABC", "DARC-10", "CW SSB", "10", true, 1, "DXCC", "37 - -",
     "1:0=EA 1:15=IG9 1:36=4U1V"},
    {"Hungarian DX Contest", "DL1ABC", "HADXCW", "CW", kHf6, true, 1,
     "Hungary provinces and HADXC members", "20 - -", "1:0=HA·GY 1:19=HA·SA"},
    {"CQ WW 160m DX contest (CW)", "DL1ABC", "CQ-160-CW", "CW", "160", true, 1,
     "DXCC and K/VE states", "100 - -", "1:25=KL 1:35=K·AL 1:85=K·WY 1:86=VE·NB 1:98=VE·PE"},
    // Prefixes are collected as they are worked.
    {"CQ WW RTTY WPX Contest", "DL1ABC", "CQ-WPX-RTTY", "RTTY", kHf5, true, 1, "Word prefixes",
     "0 - -", ""},
    // The world, Alaska included, works the US states and Canadian provinces (PEI here).
    {"ARRL International DX Contest (CW)", "DL1ABC", "ARRL-DX-CW", "CW", kHf6, true, 1,
     "ARRL sections", "65 - -", "1:0=K·AL 1:50=K·WY 1:51=VE·NB 1:63=VE·PEI 1:64=VE·NU"},
    {"ARRL International DX Contest (CW)", "KL1ABC", "ARRL-DX-CW", "CW", kHf6, true, 1,
     "ARRL sections", "65 - -", "1:0=K·AL"},
    {"ARRL International DX Contest (SSB)", "K1ABC", "ARRL-DX-SSB", "SSB", kHf6, true, 1,
     "ARRL sections", "35 - -", "1:0=EA 1:25=KL 1:26=KH6 1:27=XE 1:34=4U1V"},
    // Departments 00..96, then 99, 2A, 2B and the overseas prefixes.
    {"REF contest (CW) Non France station", "DL1ABC", "REF-CW", "CW", kHf5, true, 1,
     "French departaments", "113 - -", "1:0=00 1:96=96 1:97=99 1:99=2B 1:100=FG 1:112=TO"},
    {"UBA DX Contest (CW)", "ON4ABC", "UBA-CW", "CW", kHf5, true, 1, "DXCC", "37 0 -",
     "1:0=EA 1:36=4U1V"},
    // EC countries, then Belgian provinces; the second list collects the Belgian prefixes.
    {"UBA DX Contest (SSB)", "DL1ABC", "UBA-SSB", "SSB", kHf5, true, 2,
     "EC countries and ON provinces", "40 0 -", "1:0=CT 1:28=TK 1:29=ON·AN 1:39=ON·BR"},
    {"Russian DX contest", "DL1ABC", "RDXC", "CW SSB", kHf6, true, 2, "DXCC\r\nRussian oblasts",
     "37 99 -", "1:0=EA 1:36=4U1V 2:0=SP 2:16=JA 2:91=MV 2:92=YR 2:98=LU"},
    {"SP DX Contest", "SP5ABC", "SPDX", "CW SSB", kHf6, true, 1, "DXCC", "37 - -",
     "1:0=EA 1:36=4U1V"},
    {"SP DX Contest", "DL1ABC", "SPDX", "CW SSB", kHf6, true, 1, "Polish provinces", "16 - -",
     "1:0=B 1:15=Z"},
    // The 52 provinces of Spain.DOM, then the call areas.
    {"EA WW RTTY Contest", "DL1ABC", "EA_RTTY", "RTTY", kHf5, true, 2,
     "DXCC\r\nSpain provinces and K/VK/JA/VK areas", "37 92 -", "2:52=K0 2:72=JA0 2:91=VK9"},
    {"EA WW RTTY Contest", "DL1ABC", "EA_RTTY", "RTTY", kHf5, true, 2,
     "DXCC\r\nSpain provinces and K/VK/JA/VK areas", "37 40 -", "2:0=K0 2:39=VK9", "Spain.DOM"},
    // VP8 is listed by its prefix, whatever name the contest gives it.
    {"GACW CW DX Contest", "LU1ABC", "GACW", "CW", kHf6, true, 2, "DXCC\r\nCQ zones", "37 40 -",
     "1:32=VP8 1:36=4U1V 2:0=01 2:39=40"},
    {"HOLYLAND DX Contest", "4X1ABC", "Holyland DX", "CW SSB", kHf6, true, 1, "DXCC", "37 0 0",
     "1:0=EA 1:36=4U1V"},
    // Outside Israel the areas are collected as they are worked.
    {"HOLYLAND DX Contest", "DL1ABC", "Holyland DX", "CW SSB", kHf6, true, 1, "Israel areas",
     "0 0 0", ""},
    {"YU DX Contest", "YU1AB", "YUDX", "CW SSB", kHf6, true, 2, "ITU zones", "75 0 -",
     "1:0=01 1:8=09 1:9=10 1:74=75"},
    {"SP DX RTTY Contest", "SP5AB", "SPDX RTTY", "RTTY", kHf5, true, 3,
     "DXCC\r\nContinents\r\nPolish provinces", "37 6 16", "2:2=EU 2:5=SA 3:0=B 3:15=Z"},
    {"Helvetia contest", "HB9AB", "HELVETIA", "CW SSB", kHf6, true, 2, "DXCC\r\nHB9 provinces",
     "37 26 -", "1:0=EA 1:36=4U1V 2:0=AG 2:25=ZH"},
    {"Helvetia contest", "DL1AB", "HELVETIA", "CW SSB", kHf6, true, 1, "HB9 provinces", "26 - -",
     "1:0=AG 1:25=ZH"},
    // Liechtenstein is not "HB".
    {"Helvetia contest", "HB0AB", "HELVETIA", "CW SSB", kHf6, true, 1, "HB9 provinces", "26 - -",
     "1:0=AG"},
    // I, IS and IG9 are never countries here; the 110 provinces are for stations abroad only.
    {"ARI International DX Contest", "DL1AB", "ARI-DX", "CW SSB DIGI", kHf6, true, 1,
     "DXCC and Italy provinces", "144 - -", "1:12=YU 1:13=F 1:33=4U1V 1:34=I·AL 1:143=I·VS"},
    {"ARI International DX Contest", "I1AB", "ARI-DX", "CW SSB DIGI", kHf6, true, 1,
     "DXCC and Italy provinces", "34 - -", "1:13=F 1:33=4U1V"},
    {"CQ-M International DX Contest", "UA3AB", "CQ-M", "CW SSB SSTV", "160 80 40 20 15 10 SAT",
     true, 1, "P-150-C list", "5 - -", "1:0=UA 1:1=R1FJ 1:4=K"},
    {"CQ-M International DX Contest", "UA3AB", "CQ-M", "CW SSB SSTV", "160 80 40 20 15 10 SAT",
     true, 1, "P-150-C list", "0 - -", "", "P-150-C.DAT"},
    // K, VE, JA and VK give ten call areas each, ZL four.
    {"VOLTA RTTY WW Contest", "I1ABC", "VOLTA_RTTY", "RTTY", kHf5, true, 1,
     "DXCC and K/VE/JA/VK/ZL areas", "76 - -", "1:8=JA0 1:17=JA9 1:18=JD1/M 1:73=ZL4 1:74=ZS"},
    // No WAE-only countries: TA1, IG9 and 4U1V are missing.
    {"Anatolian WW RTTY Contest", "TA2AB", "Anatolian RTTY", "RTTY", kHf5, false, 2,
     "DXCC\r\nK/JA/TA/VE/VK call areas", "34 50 -", "1:15=F 1:23=K 2:0=JA0 2:10=K0 2:49=VK9"},
    // Every country beginning with "EA" is Spain here.
    {"King of Spain Contest (SSB)", "EA8AB", "King of Spain C", "SSB", kHf6, true, 2,
     "DXCC\r\nSpain provinces", "34 52 -", "1:0=DL 1:33=4U1V 2:0=AV 2:51=ML"},
    {"King of Spain Contest (SSB)", "DL1AB", "King of Spain C", "SSB", kHf6, true, 1,
     "Spain provinces", "52 - -", "1:0=AV 1:51=ML"},
};

Strings Words(std::string_view text) {
  std::istringstream in{std::string(text)};
  Strings words;
  for (std::string word; in >> word;)
    words.push_back(word);
  return words;
}

using ContestDefinitionsTest = SessionTest;

// Each row follows another contest's set-up: whatever that one listed must not remain.
TEST_F(ContestDefinitionsTest, EveryVariantAndStationCountry) {
  const TMultArray* lists[] = {&session.contest().MultList1, &session.contest().MultList2,
                               &session.contest().MultList3};
  for (const Definition& d : kDefinitions) {
    SCOPED_TRACE(std::string(d.name) + " for " + d.call);
    // The station is found in CTY.DAT, whatever country file the row before left loaded.
    session.LoadCountryFile(1);
    if (*d.without)
      std::filesystem::rename(dir / d.without, dir / "away");
    Setup(d.name, d.call);
    if (*d.without)
      std::filesystem::rename(dir / "away", dir / d.without);

    const TContest& contest = session.Contest();
    EXPECT_EQ(contest.Name, Utf8ToCp1251(d.name));
    EXPECT_EQ(contest.CabrilloName, d.cabrillo);
    EXPECT_EQ(contest.CabrilloFormat, 1);
    EXPECT_EQ(contest.Modes, Words(d.modes));
    EXPECT_EQ(contest.Bands, Words(d.bands));
    EXPECT_EQ(contest.UseWAE, d.wae);
    EXPECT_EQ(contest.MultCount, d.mult_count);
    EXPECT_EQ(session.contest().MultCaptions, d.captions ? d.captions : "");
    Strings sizes = Words(d.sizes);
    for (int n = 0; n < 3; ++n) {
      if (sizes[n] == "-")
        EXPECT_EQ(Keys(*lists[n]), Strings{}) << "list " << n + 1;
      else
        EXPECT_EQ(std::to_string(lists[n]->size()), sizes[n]) << "list " << n + 1;
    }
    for (const std::string& check : Words(d.keys)) {
      std::size_t colon = check.find(':'), equals = check.find('=');
      const TMultArray& list = *lists[std::stoi(check.substr(0, colon)) - 1];
      std::size_t index = std::stoul(check.substr(colon + 1, equals - colon - 1));
      ASSERT_LT(index, list.size()) << check;
      EXPECT_EQ(list[index].Name, Utf8ToCp1251(check.substr(equals + 1))) << check;
    }
  }
}

// Every lookup shows the Argentine name until the next set-up reloads the country file.
TEST_F(ContestDefinitionsTest, GacwRenamesTheFalklandsUntilTheNextSetup) {
  TCountry vp8, lu;
  Setup("GACW CW DX Contest", "LU1ABC");
  session.FindCountry("VP8ABC", vp8);
  session.FindCountry("LU1XYZ", lu);
  EXPECT_EQ(vp8.Name, "Islas Malvinas (Falkland Island)");
  EXPECT_EQ(lu.Name, "Argentina");
  Setup("CQ WW DX Contest (CW)", "LU1ABC");
  session.FindCountry("VP8ABC", vp8);
  EXPECT_EQ(vp8.Name, "Falkland Islands");
}

// The call-district table that tells a Russian callsign's oblast stays loaded.
TEST_F(ContestDefinitionsTest, RussianDxLoadsTheCallDistricts) {
  Setup("Russian DX contest", "UA3ABC");
  ASSERT_FALSE(session.DomesticList().empty());
  EXPECT_EQ(session.DomesticList().front(), (TDomestic{"1A", "SP"}));
}

TEST_F(ContestDefinitionsTest, AriTrimsTheProvinceCodes) {
  dir.Write("ITALY.DOM", "AL\t=Alessandria\r\n\tAT=Asti\r\n");
  Setup("ARI International DX Contest", "DL1AB");
  Strings keys = Keys(session.contest().MultList1);
  ASSERT_EQ(keys.size(), 34u + 2u);
  EXPECT_EQ(Strings(keys.begin() + 34, keys.end()),
            (Strings{Utf8ToCp1251("I·AL"), Utf8ToCp1251("I·AT")}));
}

}  // namespace
}  // namespace mirva
