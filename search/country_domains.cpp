#include "search/country_domains.h"

namespace corvane {

const CountryDomain CountryDomainTable[kCountryDomainCount] = {
    {u"com", 1},      {u"ae", 971},     {u"com.ar", 54},  {u"at", 43},      {u"com.au", 61},
    {u"az", 994},     {u"be", 32},      {u"com.br", 55},  {u"ca", 2},       {u"ch", 41},
    {u"cl", 56},      {u"cn", 86},      {u"com.co", 57},  {u"co.cr", 506},  {u"de", 49},
    {u"dk", 45},      {u"es", 34},      {u"fi", 358},     {u"fr", 33},      {u"com.gr", 30},
    {u"com.hk", 852}, {u"hn", 504},     {u"co.hu", 36},   {u"ie", 353},     {u"co.il", 972},
    {u"co.in", 91},   {u"it", 39},      {u"co.jp", 81},   {u"co.kr", 82},   {u"li", 41},
    {u"lt", 370},     {u"lu", 352},     {u"lv", 371},     {u"com.ly", 218}, {u"com.mx", 52},
    {u"com.my", 60},  {u"com.ni", 505}, {u"nl", 31},      {u"no", 47},      {u"co.nz", 64},
    {u"com.pa", 507}, {u"com.pe", 51},  {u"com.pk", 92},  {u"pl", 48},      {u"pt", 351},
    {u"com.py", 595}, {u"ro", 40},      {u"ru", 7},       {u"se", 46},      {u"com.sg", 65},
    {u"co.th", 66},   {u"com.tr", 90},  {u"com.tw", 886}, {u"com.ua", 380}, {u"co.uk", 44},
    {u"com.uy", 598}, {u"co.ve", 58},   {u"com.vn", 84},  {u"co.za", 27},
};

const char16_t* const ExtraDomainSuffixes[kExtraDomainSuffixCount] = {
    u"as",     u"bi", u"cd", u"cg",     u"com.cu", u"dj",     u"com.do", u"com.fj", u"fm",
    u"fr",     u"gg", u"gl", u"gm",     u"co.hu",  u"co.je",  u"kz",     u"co.ls",  u"ms",
    u"com.mt", u"mu", u"mw", u"com.nf", u"com.np", u"com.ph", u"pn",     u"com.pr", u"com.py",
    u"rw",     u"sh", u"sm", u"com.sv", u"uz",     u"com.vc", u"vg",
};

const char16_t kFallbackSuffix[] = u"com";

const char16_t SearchServiceLabel[] = u"google.";
static_assert(sizeof(SearchServiceLabel) / sizeof(char16_t) - 1 == kSearchServiceLabelLength,
              "label length");

// https, not http: the query must not cross the network in clear text.
const char16_t kSearchAddressTemplate[] = u"https://www.google.%s/search?ie=UTF-8&oe=UTF-8&q=";

}  // namespace corvane
