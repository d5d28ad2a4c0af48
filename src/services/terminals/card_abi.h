#pragma once
// The calls the two card networks' client libraries export, as plain C. The card service looks
// them up by name after loading the library; the training simulators define them. Text goes in
// as NUL-terminated strings; every buffer the library fills comes with its size and is left
// NUL-terminated within it.
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

// First network ("CallPosWareClient").
//
// A purchase (type "S") or a void (type "W") of `amount` on the terminal named by merchant,
// merchant number and terminal number. For a purchase the terminal reads the card and fills
// `card`; a void names the purchase by card, reference and authorisation. The library fills
// `card` (20 characters), `reference` (12), `authorisation` (6) and the reply text (42); any
// NUL inside a field's width stands for a blank. `option` is the vendor's fixed option, always
// 99. Returns the network's code: 0 approved, anything else refused or failed.
int ProcessTransaction(const char* merchant, const char* merchant_number, const char* terminal,
                       const char* type, double amount, char* card, size_t card_size,
                       char* reference, size_t reference_size, char* authorisation,
                       size_t authorisation_size, char* reply, size_t reply_size, int option);

// The terminal's end-of-day settlement; `kind` is always 100 and `option` 99. Returns the
// network's code, 0 when the batch was closed.
int ProcessSettlement(const char* merchant, const char* merchant_number, const char* terminal,
                      int kind, int option);

// Second network ("SockPos"). Every call writes the network's reply into `reply`: fields
// separated by ";", 1 reply code, 2 message, 5 reference, 6 authorisation, 7 system trace (and
// up to 15 for the closings). Each returns 0 when a reply was written, anything else when the
// library could not produce one.
//
// A purchase: `amount` and the three zero amounts are texts of picture "999999999.99"
// trimmed ("125.50", "0.00"); `mode` is 2, `entry` 1; `tip_flag`, `tax_flag` and `plan` are 0;
// `blanks4`, `blanks9` and `blanks20` are blank texts of those lengths and `code6` the fixed
// six-digit text.
int dllpurchase(const char* terminal, int mode, int entry, const char* card_number,
                const char* amount, const char* expiry, const char* track, const char* tax,
                const char* tip, const char* cashback, int tip_flag, int tax_flag,
                const char* blanks4, int plan, const char* blanks9, const char* blanks20,
                const char* code6, char* reply, size_t reply_size);
int dllcanceltrans(const char* terminal, const char* reference, const char* authorisation,
                   const char* trace, char* reply, size_t reply_size);
// The closing of the batch and the report of the open batch (the pre-closing).
int dllsettlement(const char* terminal, char* reply, size_t reply_size);
int dllreport(const char* terminal, char* reply, size_t reply_size);

#ifdef __cplusplus
}
#endif
