#include "res/dialog_templates.h"
#include "res/resource.h"
#include "res/image_resources.h"
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
} // namespace

const AfxResourceModule& QuorvelResources() {
    static const AfxResourceModule module = [] {
        AfxResourceModule m{};
        m.strings = kStrings;
        m.stringCount = std::size(kStrings);
        m.dialogs = kDialogs;
        m.dialogCount = std::size(kDialogs);
        AddImageResources(m);
        return m;
    }();
    return module;
}
