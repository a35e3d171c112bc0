#!/usr/bin/python3
"""Compares the program's number checks with python-stdnum, an independent implementation,
on a few thousand random valid and invalid numbers of each kind (fixed seed).

Usage: compare_stdnum.py <check_driver>

Only where the two rules cover the same ground:
- fiscal code: the check letter of any fifteen letters and digits (stdnum's
  calc_check_digit); whole verdicts on codes of the usual shape with a real birth date,
  which is all stdnum examines beyond the check letter;
- VAT number: the check digit of any ten digits (stdnum's Luhn calc_check_digit, on which
  its VAT check rests); whole verdicts where stdnum accepts the office code (001-100, 120,
  121) and the first seven digits are not all zero;
- card: the Luhn verdict on the digits among the first twenty characters, separators
  anywhere; the card result is the first digit minus 2 exactly when that verdict holds;
- IBAN: whole verdicts on Italian IBANs (plain, lower case, in groups of four), and the
  mod-97 verdict (stdnum's iso7064 mod_97_10) on 27 letters and digits of any country.
  Texts holding "IBAN" are left out: the program takes those four letters out first.
"""

import random
import string
import subprocess
import sys

try:
    from stdnum import iban, luhn
    from stdnum.iso7064 import mod_97_10
    from stdnum.it import codicefiscale, iva
except ImportError:
    sys.exit("python3-stdnum is missing: install it (build.sh does) and run again")

SEED = 20240611
EACH = 3000
ALNUM = string.digits + string.ascii_uppercase
OMOCODE = string.digits + "LMNPQRSTUV"  # a digit or the letter that stands for it
MONTHS = "ABCDEHLMPRST"

rng = random.Random(SEED)
cases = []  # (category, kind, text, expected result line)


def add(category, kind, text, expected):
    cases.append((category, kind, text, expected))


def flag(value):
    return "1" if value else "0"


def other_than(right, alphabet):
    return rng.choice([c for c in alphabet if c != right])


# --- fiscal code ---
for _ in range(EACH):
    first = "".join(rng.choice(ALNUM) for _ in range(15))
    add("fiscal code check letter", "cfletter", first, codicefiscale.calc_check_digit(first))

for n in range(EACH):
    day = rng.randint(1, 28) + rng.choice([0, 40])
    digits = "%02d%02d%03d" % (rng.randint(0, 99), day, rng.randint(0, 999))
    coded = "".join(OMOCODE[int(d)] if rng.random() < 0.15 else d for d in digits)
    first = ("".join(rng.choice(string.ascii_uppercase) for _ in range(6)) + coded[0:2] + rng.choice(MONTHS)
             + coded[2:4] + rng.choice(string.ascii_uppercase) + coded[4:7])
    letter = codicefiscale.calc_check_digit(first)
    code = first + (letter if n % 2 == 0 else other_than(letter, string.ascii_uppercase))
    if n % 5 == 0:
        code = code.lower()
    add("fiscal code verdict", "cf", code, flag(codicefiscale.is_valid(code)))

# --- VAT number ---
for _ in range(EACH):
    first = "".join(rng.choice(string.digits) for _ in range(10))
    add("VAT check digit", "ivadigit", first, luhn.calc_check_digit(first))

for n in range(EACH):
    office = rng.choice(["%03d" % rng.randint(1, 100), "120", "121"])
    first = "%07d" % rng.randint(1, 9999999) + office
    digit = luhn.calc_check_digit(first)
    number = first + (digit if n % 2 == 0 else other_than(digit, string.digits))
    add("VAT verdict", "iva", number, flag(iva.is_valid(number)))

# --- payment card ---
for n in range(EACH):
    length = rng.randint(1, 20)
    digits = "".join(rng.choice(string.digits) for _ in range(length - 1))
    right = luhn.calc_check_digit(digits) if digits else "0"
    digits += right if n % 2 == 0 else other_than(right, string.digits)
    text = ""
    for d in digits:
        while rng.random() < 0.15:
            text += rng.choice(" -/.")
        text += d
    text = text[:30]
    read = "".join(c for c in text[:20] if c.isdigit())
    valid = bool(read) and luhn.is_valid(read)
    add("card", "card", text, "%s %d" % (flag(valid), int(read[0]) - 2 if valid else 0))

# --- IBAN ---
def italian_bban():
    return (rng.choice(string.ascii_uppercase) + "".join(rng.choice(string.digits) for _ in range(10))
            + "".join(rng.choice(ALNUM) for _ in range(12)))


n = 0
while n < EACH:
    bban = italian_bban()
    right = iban.calc_check_digits("IT00" + bban)
    check = right if n % 2 == 0 else "%02d" % rng.randint(0, 99)
    number = "IT" + check + bban
    if "IBAN" in number:
        continue
    shown = number
    if n % 3 == 1:
        shown = number.lower()
    elif n % 3 == 2:
        shown = " ".join(number[i:i + 4] for i in range(0, len(number), 4))
    add("Italian IBAN verdict", "iban", shown, flag(iban.is_valid(shown)))
    n += 1

n = 0
while n < EACH:
    country = rng.choice(string.ascii_uppercase) + rng.choice(string.ascii_uppercase)
    bban = "".join(rng.choice(ALNUM) for _ in range(23))
    right = mod_97_10.calc_check_digits(bban + country)
    check = right if n % 2 == 0 else "%02d" % rng.randint(0, 99)
    text = country + check + bban
    if "IBAN" in text:
        continue
    add("IBAN mod 97, any country", "iban", text, flag(mod_97_10.is_valid(text[4:] + text[:4])))
    n += 1


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    feed = "".join("%s\t%s\n" % (kind, text) for _, kind, text, _ in cases)
    run = subprocess.run([sys.argv[1]], input=feed.encode("utf-8"), stdout=subprocess.PIPE, check=True)
    answers = run.stdout.decode("utf-8").splitlines()
    if len(answers) != len(cases):
        sys.exit("the driver answered %d lines for %d cases" % (len(answers), len(cases)))

    counts, disagreements = {}, []
    for (category, kind, text, expected), answer in zip(cases, answers):
        total, valid = counts.get(category, (0, 0))
        counts[category] = (total + 1, valid + (expected.startswith("1") and kind in ("cf", "iva", "card", "iban")))
        if answer != expected:
            disagreements.append("%s: %r -> program %r, stdnum %r" % (category, text, answer, expected))

    for category, (total, valid) in counts.items():
        print("%-28s %5d cases%s" % (category, total, ", %d valid" % valid if valid else ""))
    if disagreements:
        print("%d disagreements, the first ones:" % len(disagreements))
        for line in disagreements[:20]:
            print("  " + line)
        sys.exit(1)
    print("all %d cases agree" % len(cases))


main()
