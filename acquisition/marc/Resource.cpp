#include "acquisition/marc/Resource.h"

namespace dedizo {

namespace {

std::string utf8(const QString& s)
{
    return s.toStdString();
}

} // namespace

nlohmann::ordered_json currencyToJson(Currency c)
{
    if (c.units() % Currency::kScale == 0)
        return c.units() / Currency::kScale;
    return nlohmann::ordered_json::parse(c.toString().toStdString());
}

nlohmann::ordered_json resourceToJson(const Resource& r)
{
    nlohmann::ordered_json j = nlohmann::ordered_json::object();
    j["Title"] = utf8(r.title);
    j["Responsibility"] = utf8(r.responsibility);
    j["Publisher"] = utf8(r.publisher);
    j["PublicationDate"] = utf8(r.publicationDate);
    j["URL"] = utf8(r.url);
    j["PublicationPlace"] = utf8(r.publicationPlace);
    j["StandardNumber"] = utf8(r.standardNumber);
    j["ResourceType"] = utf8(r.resourceType);
    j["Price"] = currencyToJson(r.price);
    j["Edition"] = utf8(r.edition);
    j["Series"] = utf8(r.series);
    j["Physical"] = utf8(r.physical);
    j["Accompanying"] = utf8(r.accompanying);
    j["Language"] = utf8(r.language);
    j["ClassNumber"] = utf8(r.classNumber);
    j["Subjects"] = utf8(r.subjects);
    j["Summary"] = utf8(r.summary);
    return j;
}

} // namespace dedizo
