#pragma once

#include "acquisition/marc/Currency.h"
#include "acquisition/marc/Marc.h"
#include "acquisition/marc/Resource.h"

#include <QString>
#include <nlohmann/json.hpp>
#include <stdexcept>

namespace dedizo {

// Raised for data the parser refuses (strict mode) or cannot handle at all.
class MarcError : public std::runtime_error
{
public:
    explicit MarcError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

enum ResourceType : int
{
    rtUnknown,
    rtBookChinese,
    rtBookChineseOverseas,
    rtBookChineseMinority,
    rtBookChineseAncient,
    rtCBook3,
    rtCBook4,
    rtCBook5,
    rtBookWestern,
    rtBookJapanese,
    rtBookRussian,
    rtBookFrench,
    rtBookGerman,
    rtBookKorean,
    rtBook5,
    rtBook6,
    rtSerialChinese,
    rtSerialWestern,
    rtSerialJapanese,
    rtSerialRussian,
    rtSerial2,
    rtSerial3,
    rtSerialElectronic,
    rtSerial5,
    rtNewspaperChinese,
    rtn1,
    rtn2,
    rtn3,
    rtn4,
    rtn5,
    rtn6,
    rtCD,
    rtRecording,
    rtMusic,
    rtFilm,
    rtTape,
    rtThesis,
    rtMicroform,
};

QString resourceTypeName(ResourceType type);

// The result of reading one price text.
struct PriceDetail
{
    Currency price;
    QString currency; // ISO-like code ("CNY", "HKD" ...) or empty
    QString notes;
};

// A CNMARC record taken apart into its bibliographic parts. The list-like parts are JSON
// values (keys in insertion order). Only records in the CNMARC tag set are interpreted.
class MarcRecord
{
public:
    using Json = nlohmann::ordered_json;

    // Parses the record. Strict mode (isIgnoreErrors false) raises MarcError for unlisted
    // resource types, currencies and standard-number tags; lenient mode skips them. A record
    // of unknown format raises in both modes.
    MarcRecord(const Marc& marc, bool isIgnoreErrors);

    MarcState state = msNormal;
    ResourceType resourceType = rtUnknown;
    Json standardNumbers = Json::array();
    QString titleProper;
    QString titleProperParallel; // short key "x"
    QString otherTitle;          // "y"
    QString otherTitleParallel;  // "z"
    QString partName;            // "i"
    QString partNumber;          // "h"
    QString edition;             // "e"
    Json responsibilities = Json::array();
    Json series = Json::array();
    Json publication = Json::object();
    Json physical = Json::object();
    Json classNumber = Json::object();
    Json language = Json::object();
    Json subjects = Json::array();
    QString summary;

    bool isIgnoreErrors() const { return m_isIgnoreErrors; }

    // The title parts that carry a short key, as {key: text} for the non-empty ones.
    Json getBasic() const;
    // Diagnostic dump: "Field: value" lines joined by CR LF, then "Basic: " and getBasic().
    QString toString() const;
    // The record as the book editor's resource (URL left empty).
    Resource toResource() const;

    // Reads a dirty catalogue price text ("定价：CNY38.00元", "HK$120", "全套定价CNY300.00").
    static PriceDetail parsePriceDetail(const QString& text, bool isIgnoreErrors);

private:
    void parseLine(const QString& line);
    void parseStandardNumber(const QString& line, int type);
    void parseResourceType(const QString& line);

    bool m_isIgnoreErrors = false;
};

// Lenient parse of a CNMARC record into a resource. Raises MarcError only for a record
// whose format is unknown.
Resource marcToResource(const Marc& marc);

// Values of one subfield code in a line; exposed for the line parser's tests.
QStringList marcSubfieldValues(const QString& line, QChar code);

// Dumps JSON as UTF-8 text; invalid text is replaced rather than raising.
QString jsonText(const nlohmann::ordered_json& json, int indent = -1);

} // namespace dedizo
