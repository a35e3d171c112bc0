#pragma once

#include <QPixmap>

// The icons of the checkers' header pictures, drawn by the program.
namespace CheckerPictures {

QPixmap Card(int side);     // a small green card (fiscal code)
QPixmap Receipt(int side);  // a sheet marked "IVA" (VAT number)
QPixmap CardFan(int side);  // a fan of payment cards
QPixmap Bank(int side);     // a bank building (IBAN)

} // namespace CheckerPictures
