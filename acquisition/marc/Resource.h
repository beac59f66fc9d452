#pragma once

#include "acquisition/marc/Currency.h"

#include <QList>
#include <QString>
#include <nlohmann/json.hpp>

namespace dedizo {

// The bibliographic record that every outside source hands to the book editor.
struct Resource
{
    QString title;
    QString responsibility;
    QString publisher;
    QString publicationDate;
    QString url; // the source's key for the record
    QString publicationPlace;
    QString standardNumber;
    QString resourceType; // "图书", "期刊", "光盘" ...
    Currency price;
    QString edition;
    QString series;
    QString physical;
    QString accompanying;
    QString language;
    QString classNumber;
    QString subjects;
    QString summary;

    bool operator==(const Resource&) const = default;
};

using Resources = QList<Resource>;

enum SearchField : int
{
    sfStandardNumber = 0,
    sfTitle = 1,
};

// The record as a JSON object, members in declaration order under their catalogue
// names ("Title", "Responsibility", ...); the price is a number.
nlohmann::ordered_json resourceToJson(const Resource& resource);

// An amount as a JSON number: an integer when whole, else the shortest decimal.
nlohmann::ordered_json currencyToJson(Currency amount);

} // namespace dedizo
