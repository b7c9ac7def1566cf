#include "res/dialog_templates.h"
#include "res/resource.h"
#include "res/resource_module.h"

#include <iterator>

namespace {
const AfxStringResource kStrings[] = {
    {IDS_DESCRIPTION, "Quorvel"},
    {IDR_MAINFRAME, "Mirlow\n\nMyMirl\n\n\nMyMirlow.Document\nMyMirl Document"},
    {AFX_IDS_APP_TITLE, "Mirlow"},
    {AFX_IDP_PARSE_INT, "整数を入力してください。"},
    {AFX_IDP_PARSE_INT_RANGE, "%1 から %2 迄の整数を入力してください。"},
};

const DLGTEMPLATEDATA* const kDialogs[] = {&kConfigDialogTemplate, &kAboutDialogTemplate};

const AfxResourceModule kModule = {
    .strings = kStrings,
    .stringCount = std::size(kStrings),
    .dialogs = kDialogs,
    .dialogCount = std::size(kDialogs),
};
} // namespace

const AfxResourceModule& QuorvelResources() { return kModule; }
