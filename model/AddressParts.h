#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// One address as a file gives it, before it becomes code page 1250; lines break with \n.
struct ImportedAddress
{
    QString label;
    QString text;
    bool hasAddress = true; // false: a contact with a name only, which no envelope can take
};

// What reading a file gave: the addresses in file order, or why it cannot be read.
struct ParsedAddresses
{
    std::vector<ImportedAddress> addresses;
    QString error; // a Czech sentence; set only when addresses is empty
    // Set with the error when a CSV has no column an address can come from: its columns.
    QStringList columnsWithoutAddress;
};

// What a column of a contact file holds. The order is the one the column mapping offers.
enum class AddressField
{
    Label,
    TitleBefore,
    FirstName,
    LastName,
    TitleAfter,
    Company,
    Street,
    Number,   // house number; a second one follows after "/" (číslo popisné/orientační)
    District, // část obce
    PostalCode,
    City,
    Region,
    Country,
    Address, // the whole envelope text
    Unused,
    AddressKind, // "Home", "* Work": which of a row's addresses is preferred
};
inline constexpr int kChosenFieldCount = int(AddressField::Unused) + 1;

// The Czech name the column mapping shows ("Titul před", "Nepoužít").
QString addressFieldName(AddressField field);
// A field by its Czech name, in any letter case, with or without diacritics.
std::optional<AddressField> addressFieldNamed(const QString &name);
bool isPlaceField(AddressField field);

// The parts of an address that files name. Parts that a file gives in several columns
// (street lines, two house numbers) are joined as they are added.
struct PostalParts
{
    QString titleBefore;
    QString firstName;
    QString lastName;
    QString titleAfter;
    QString company;
    QString street; // may hold several lines
    QString number;
    QString district;
    QString postalCode;
    QString city;
    QString region;
    QString country;
    QString addressBlock; // the whole text as the file gives it (an Adresa column, a LABEL)

    void add(AddressField field, const QString &value);
    bool hasPlace() const;
};

// The envelope text in the order of the addressee's post: company, "Ing. Karel Novotný,
// Ph.D.", street with its number, "PSČ Obec" ("NNN NN"), no region for Czech and Slovak
// addresses, the country last and left out for a Czech one. An address block that already
// names the person or company is the whole text, as it came. Without a label the address is
// called "Příjmení Jméno", else by its company, else by its first line; an address with
// neither label nor text is nothing.
std::optional<ImportedAddress> addressFromParts(const QString &label, const PostalParts &parts);

// A block that names the person or company (or comes without either) is a whole envelope
// text, an export of ours; one without the name is the address under the name.
bool isWholeText(const QString &block, const PostalParts &parts);

// The parts read back from an envelope text's lines as well as they go: the "PSČ Obec" line,
// the country after it, the street before it, a person's name with titles, the company.
PostalParts partsFromText(const QString &text);

// CR LF and lone CR become \n.
QString withLineFeeds(QString text);

// Lower case, only letters and digits, without diacritics: "PSČ (domů)" is "pscdomu".
QString matchKey(const QString &text);
