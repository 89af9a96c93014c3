#pragma once

#include <span>
#include <string>
#include <string_view>

#include "contest/rules/rules.h"

namespace mirva {

// Helpers the contests share for the received and sent exchanges and the multiplier keys.

/// Whether the whole text reads as an integer.
bool IsNumeric(std::string_view text);
/// The text left-padded with "0" to at least n characters.
std::string PadTo(std::string_view text, std::size_t n);
/// A numeric text padded to three characters; any other text as typed.
std::string Pad3(std::string_view text);
/// The digits of the text padded to three, then its other characters in their order
/// (12ZH and ZH12 give 012ZH); the text as typed when it has no digits.
std::string SplitForm(std::string_view text);
/// Word n (from 1) of the text, words being separated by runs of blanks, "-" and "/"; empty
/// when there are fewer words.
std::string_view ExchangeWord(std::string_view text, std::size_t n);

/// The received exchange of the first of the callsign's earlier QSOs; empty when there is none.
std::string PreviousExchange(std::span<const TQSOData> previous);
/// PreviousExchange where the rule applies, otherwise empty.
std::string PreviousWhen(bool applies, std::span<const TQSOData> previous);

/// The number n in decimal, left-padded with "0" to at least three digits.
std::string Pad3Number(long long n);
/// The sent exchange of the log's last QSO; empty for an empty log.
std::string LastSentExchange(const RuleContext& ctx);
/// The sent exchange of the log's last QSO that has one; empty when none has. A QSO saved
/// with a blank sent exchange (its proposal failed, or the operator emptied it) tells nothing
/// of the number sent, so a serial counts on past it.
std::string LastGivenSentExchange(const RuleContext& ctx);
/// The group's next number on the context's band when its serial source holds one. Otherwise
/// "001" when no QSO has a sent exchange, else the last given one read as an integer plus one,
/// but above the source's last sent number, padded to three digits; throws ConversionError,
/// naming the Sent field, when it is not an integer (and no source number is known).
std::string NextSerial(const RuleContext& ctx);
/// "001" for an empty log, otherwise the number at the start of the last sent exchange plus
/// one, padded to three digits; "000" when that exchange does not start with a digit.
std::string NextLeadingSerial(const RuleContext& ctx);

// Rules several contests share, for their tables.
/// The received exchange with a number padded to three digits.
std::string NormalizePad3(const TQSOData& qso, const RuleContext& ctx);
/// What the station sent in its previous QSO, once the callsign field is left.
std::string PredictPrevious(std::string_view call, bool full, std::span<const TQSOData> previous,
                            const RuleContext& ctx);
/// The next serial number.
std::string SentSerial(const RuleContext& ctx);
/// The station's State, whatever the log holds.
std::string SentState(const RuleContext& ctx);
/// The station's State for a station of the contest's home country, the next serial for the
/// others.
std::string StateOrSerial(const RuleContext& ctx, bool home);

/// The zone a QSO counts under: the received exchange, or the worked country's CQ zone when
/// that is blank; a query pads it to two digits.
std::string ZoneKey(const MultQso& m);
/// A numeric text as its number with at least two digits ("075" and "75" give "75", "5"
/// gives "05"), so that an exchange padded to three still names a two-digit key; any other
/// text as it is.
std::string TwoDigitNumber(std::string_view text);
/// The code in a serial-and-code exchange: the text without its digits, blanks, "-" and "/".
std::string CodeOf(std::string_view exchange);

}  // namespace mirva
