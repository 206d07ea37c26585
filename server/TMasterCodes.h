#pragma once

#include <QString>

class TServerSql;

// The codes the office's own registrations give: the next free tenant code
// and site code. A tenant code is "20" and eight digits; a site code four
// digits, beginning with 4 for a site that may be leased and with 1 for any
// other site.
class TMasterCodes
{
public:
    static QString NextTenantCode(TServerSql& sql);
    static QString NextSiteCode(TServerSql& sql, bool leasable);

private:
    // One above the highest code of `length` digits that begins with
    // `prefix` (the first one when there is none); refused past the last one.
    static QString Next(TServerSql& sql, const QString& statement, const QString& prefix, int length,
                        const QString& what);
};
