#pragma once

#include <cstdint>
#include <optional>

namespace marrowvale {

/// Paper sizes for printing; the raw value is the spreadsheet's paper-size code.
enum class PaperType : std::uint8_t {
    PrinterDefault,
    Letter,
    LetterSmall,
    Tabloid,
    Ledger,
    Legal,
    Statement,
    Executive,
    A3,
    A4,
    A4Small,
    A5,
    B4,
    B5,
    Folio,
    Quarto,
    unnamed1,
    unnamed2,
    Note,
    Envelope_9,
    Envelope_10,
    Envelope_11,
    Envelope_12,
    Envelope_14,
    C_size_sheet,
    D_size_sheet,
    E_size_sheet,
    Envelope_DL,
    Envelope_C3,
    Envelope_C4,
    Envelope_C5,
    Envelope_C6,
    Envelope_C65,
    Envelope_B4,
    Envelope_B5,
    Envelope_B6,
    Envelope,
    Monarch,
    EnvelopeInch,
    Fanfold,
    German_Std_Fanfold,
    German_Legal_Fanfold,
};

/// The paper size with this code (0 to 41), or none.
constexpr std::optional<PaperType> paperTypeFromRaw(std::uint8_t raw) noexcept {
    return raw <= static_cast<std::uint8_t>(PaperType::German_Legal_Fanfold)
               ? std::optional(static_cast<PaperType>(raw))
               : std::nullopt;
}

} // namespace marrowvale
