// Octet-sequence text: "[" items "]", quoted runs of displayable octets and decimal numbers.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "KroMmdStreamGeomRefForODT.h"
#include "KroSysTraceRecorder.h"

namespace {

using Octets = std::vector<uint8_t>;

std::string Text(const Octets& octets) {
  KroUnicodeString text = "left over";
  EXPECT_EQ(KroMmdStreamGeomRefForODT::GetStringFromSEQ(_SEQUENCE_octet(octets), text), KRO_S_OK);
  return text.ToStdString();
}

std::string Show(const Octets& octets) {
  std::string out;
  for (uint8_t o : octets) out += (out.empty() ? "" : " ") + std::to_string(o);
  return "{" + out + "}";
}

Octets Bytes(const std::string& text) { return Octets(text.begin(), text.end()); }

struct WriteCase {
  Octets octets;
  const char* text;
};

TEST(KroMmdStreamGeomRefForODT, WritesEveryOctetSequenceOfTheTable) {
  const std::vector<WriteCase> cases = {
      {{}, R"([])"},
      {Bytes("abc"), R"(['abc'])"},
      {{0x41, 0x42, 0x00, 0x43}, R"(['AB',0,'C'])"},
      {{1, 2}, R"([1,2])"},
      {{0x22}, R"([34])"},
      {{0x61, 0x27}, R"(['a\''])"},
      {Bytes("\\"), R"(['\\'])"},
      {Bytes(",a"), R"([',a'])"},
      {Bytes("[]\""), R"([91,93,34])"},
      {Bytes("a[b"), R"(['a',91,'b'])"},
      {{0, 'a'}, R"([0,'a'])"},
      {{'a', 0, 'b', 1}, R"(['a',0,'b',1])"},
      {{0x1F, 0x20, 0x7E, 0x7F}, R"([31,' ~',127])"},
      {{0x80, 0xC3, 0xA9, 0xFF}, R"([128,195,169,255])"},
      {Bytes("it's"), R"(['it\'s'])"},
  };
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(Show(c.octets));
    EXPECT_EQ(Text(c.octets), c.text);
  }
}

struct ReadCase {
  const char* text;
  KroResult result;
  Octets octets;  // what the sequence holds afterwards
};

TEST(KroMmdStreamGeomRefForODT, ReadsEveryOctetTextOfTheTable) {
  const std::vector<ReadCase> cases = {
      {R"([])", KRO_S_OK, {}},
      {R"(['abc'])", KRO_S_OK, Bytes("abc")},
      {R"(['AB',0,'C'])", KRO_S_OK, {0x41, 0x42, 0x00, 0x43}},
      {R"(['a\''])", KRO_S_OK, {0x61, 0x27}},
      {R"(['\\'])", KRO_S_OK, Bytes("\\")},
      {R"([',a'])", KRO_S_OK, Bytes(",a")},
      {R"([91,93,34])", KRO_S_OK, Bytes("[]\"")},
      {R"([256])", KRO_S_OK, {0}},
      {R"([-1])", KRO_S_OK, {255}},
      {R"([-256,513])", KRO_S_OK, {0, 1}},
      // A number too long for an int keeps the low eight bits of its value: 10^20 - 1 is 255
      // modulo 256.
      {R"([99999999999999999999])", KRO_S_OK, {255}},
      {R"([1,,2])", KRO_S_OK, {1, 2}},
      {R"([,])", KRO_S_OK, {}},
      {R"([ 7 ,8])", KRO_S_OK, {7, 8}},
      // A number item is read as atoi reads it: no digits gives 0, and it stops at the first
      // character that is no digit.
      {R"([x])", KRO_S_OK, {0}},
      {R"([12x3])", KRO_S_OK, {12}},
      // Inside a run, a quote that is not followed by "," or "]" is dropped.
      {R"(['a'b'])", KRO_S_OK, Bytes("ab")},
      // The first "]" ends the text, inside a run and after a backslash too.
      {R"(['a])", KRO_S_OK, Bytes("a")},
      {R"(['a\])", KRO_S_OK, Bytes("a")},
      {R"([1]['b'])", KRO_S_OK, {1}},
      // No closing "]": a failure, with the octets stored up to the end of the text; an
      // unfinished number is not stored.
      {R"([)", KRO_E_FAIL, {}},
      {R"([1,2)", KRO_E_FAIL, {1}},
      {R"(['ab)", KRO_E_FAIL, Bytes("ab")},
      {R"(['a\)", KRO_E_FAIL, Bytes("a")},
      {R"(['a')", KRO_E_FAIL, Bytes("a")},
      // No "[" first: a failure with an empty sequence.
      {R"()", KRO_E_FAIL, {}},
      {R"(abc)", KRO_E_FAIL, {}},
      {R"( [1])", KRO_E_FAIL, {}},
      {R"(1,2])", KRO_E_FAIL, {}},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(std::string("text ") + c.text);
    KroSysTraceRecorder recorder;
    _SEQUENCE_octet octets(Octets{9, 9, 9});
    EXPECT_EQ(KroMmdStreamGeomRefForODT::GetSEQFromString(c.text, octets), c.result);
    EXPECT_EQ(Show(octets.bytes()), Show(c.octets));
    // Neither operation traces.
    EXPECT_EQ(recorder.ToString(), "");
  }
}

TEST(KroMmdStreamGeomRefForODT, ReadsAZeroCharacterInsideTheTextAsAnOctet) {
  const std::string text("['a\0b']", 7);
  _SEQUENCE_octet octets;
  ASSERT_EQ(KroMmdStreamGeomRefForODT::GetSEQFromString(KroUnicodeString(text), octets), KRO_S_OK);
  EXPECT_EQ(Show(octets.bytes()), Show({'a', 0, 'b'}));
}

// Every proper prefix of a written text lacks its "]": it fails, and what it gives is a prefix
// of the octets (never more, never anything from past its end).
TEST(KroMmdStreamGeomRefForODT, FailsOnEveryCutOfAWrittenOctetText) {
  const Octets full = {'a', '\'', 'b', 0, 200, '\\', ',', 'c', 93, 7};
  const std::string text = Text(full);
  ASSERT_EQ(text, R"(['a\'b',0,200,'\\,c',93,7])");
  for (size_t cut = 0; cut < text.size(); ++cut) {
    SCOPED_TRACE("first " + std::to_string(cut) + " characters");
    _SEQUENCE_octet octets;
    EXPECT_EQ(KroMmdStreamGeomRefForODT::GetSEQFromString(text.substr(0, cut), octets), KRO_E_FAIL);
    const Octets& got = octets.bytes();
    ASSERT_LE(got.size(), full.size());
    EXPECT_EQ(Show(got), Show(Octets(full.begin(), full.begin() + got.size())));
  }
}

void ExpectRoundTrip(const Octets& original) {
  const std::string text = Text(original);
  _SEQUENCE_octet back(Octets{1, 2, 3});
  ASSERT_EQ(KroMmdStreamGeomRefForODT::GetSEQFromString(text, back), KRO_S_OK) << text;
  EXPECT_EQ(Show(back.bytes()), Show(original)) << text;
  EXPECT_EQ(Text(back.bytes()), text);
}

TEST(KroMmdStreamGeomRefForODT, RoundTripsEveryOctetValue) {
  Octets all;
  for (int value = 0; value < 256; ++value) {
    SCOPED_TRACE("octet " + std::to_string(value));
    ExpectRoundTrip({static_cast<uint8_t>(value)});
    all.push_back(static_cast<uint8_t>(value));
  }
  ExpectRoundTrip(all);
  ExpectRoundTrip(Octets(all.rbegin(), all.rend()));
}

// Random sequences drawn mostly from the octets that need care: quotes, backslashes, commas,
// brackets, digits and the edges of the displayable range.
TEST(KroMmdStreamGeomRefForODT, RoundTripsRandomSequences) {
  std::mt19937 random(31337u);
  const Octets tricky = {'\'', '\\', ',', '[', ']',  '"',  ' ', '~',
                         '0',  '9',  'a', 0,   0x1F, 0x7F, 0xFF};
  for (int round = 0; round < 3000; ++round) {
    Octets octets(random() % 24);
    for (uint8_t& o : octets) {
      o = random() % 3 ? tricky[random() % tricky.size()] : static_cast<uint8_t>(random());
    }
    SCOPED_TRACE("round " + std::to_string(round) + " " + Show(octets));
    ExpectRoundTrip(octets);
  }
}

}  // namespace
