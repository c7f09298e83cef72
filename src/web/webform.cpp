#include "web/webform.h"

#include <emscripten/bind.h>

#include <span>

using emscripten::val;

namespace tarsel::web {

namespace {

const char* KindName(EFieldKind kind) {
    switch (kind) {
    case EFieldKind::List:
        return "list";
    case EFieldKind::Edit:
        return "edit";
    case EFieldKind::Column:
        return "column";
    case EFieldKind::Button:
        return "button";
    }
    return "";
}

val Describe(const CFormField& field) {
    val entries = val::array();
    for (const char* entry : field.entries) entries.call<void>("push", std::string(entry));
    val each = val::object();
    each.set("id", field.controlId);
    each.set("caption", std::string(field.caption));
    each.set("kind", std::string(KindName(field.kind)));
    each.set("entries", entries);
    each.set("maxLength", field.maxLength);
    each.set("keys", static_cast<int>(field.keys));
    each.set("stepped", field.step != nullptr);
    each.set("hidden", field.hidden);
    each.set("rows", field.rows);
    each.set("numberTitle", std::string(field.numberTitle ? field.numberTitle : ""));
    each.set("firstNumber", field.firstNumber);
    return each;
}

val Page(std::span<const CFormField> table, const char* title = "") {
    val fields = val::array();
    for (const CFormField& field : table) fields.call<void>("push", Describe(field));
    val page = val::object();
    page.set("title", std::string(title));
    page.set("fields", fields);
    return page;
}

val Texts(std::span<const std::string> texts) {
    val array = val::array();
    for (const std::string& text : texts) array.call<void>("push", text);
    return array;
}

EWebForm KindOf(const std::string& kind) {
    if (kind == "dtmf") return EWebForm::Dtmf;
    if (kind == "fm") return EWebForm::FmRadio;
    if (kind == "model") return EWebForm::Model;
    return EWebForm::Options;
}

} // namespace

CWebForm::CWebForm(CWebDocument* doc, const std::string& kind, const std::string& callId,
                   const std::string& modelText)
    : doc_(*doc), kind_(KindOf(kind)), callId_(callId) {
    CDocument& document = doc_.Document();
    document.Parse();
    before_ = document.Content();
    const CMemoryImage& image = document.Image();
    switch (kind_) {
    case EWebForm::Options:
        options_ = LoadOptions(image);
        break;
    case EWebForm::Dtmf:
        // Each page loads its fields as the editor opens; only the first is shown.
        timing_ = LoadDtmfTiming(image);
        remote_ = LoadDtmfRemote(image);
        codes_ = LoadDtmfCodeList(image, callId_, ani_);
        break;
    case EWebForm::FmRadio:
        fm_ = LoadFmRadio(image);
        break;
    case EWebForm::Model:
        model_ = LoadModelFields(document.Limits(), modelText);
        break;
    }
}

val CWebForm::Pages() const {
    val pages = val::array();
    switch (kind_) {
    case EWebForm::Options:
        pages.call<void>("push", Page(OptionFormFields()));
        break;
    case EWebForm::Dtmf:
        pages.call<void>("push", Page(DtmfTimingFieldTable(), kDtmfPageTitles[0]));
        pages.call<void>("push", Page(DtmfRemoteFieldTable(), kDtmfPageTitles[1]));
        pages.call<void>("push", Page(DtmfCodeListFieldTable(), kDtmfPageTitles[2]));
        break;
    case EWebForm::FmRadio:
        pages.call<void>("push", Page(FmRadioFieldTable()));
        break;
    case EWebForm::Model:
        pages.call<void>("push", Page(ModelFieldTable()));
        break;
    }
    return pages;
}

const CFormField* CWebForm::Field(int id) const {
    switch (kind_) {
    case EWebForm::Options:
        return FindFormField(OptionFormFields(), id);
    case EWebForm::Dtmf:
        for (auto table :
             {DtmfTimingFieldTable(), DtmfRemoteFieldTable(), DtmfCodeListFieldTable()})
            if (const CFormField* field = FindFormField(table, id)) return field;
        return nullptr;
    case EWebForm::FmRadio:
        return FindFormField(FmRadioFieldTable(), id);
    case EWebForm::Model:
        return FindFormField(ModelFieldTable(), id);
    }
    return nullptr;
}

// The member behind each control id of the form that is open.
static CFieldSlot SlotOf(int id, EWebForm kind, COptionsForm& o, CDtmfTimingFields& t,
                         CDtmfRemoteFields& r, CDtmfCodeListFields& c, CFmRadioFields& f,
                         CModelFields& m) {
    switch (kind) {
    case EWebForm::Options:
        return OptionsSlot(o, id);
    case EWebForm::Dtmf:
        for (const CFieldSlot slot :
             {DtmfTimingSlot(t, id), DtmfRemoteSlot(r, id), DtmfCodeListSlot(c, id)})
            if (slot.list || slot.edit || !slot.column.empty()) return slot;
        return {};
    case EWebForm::FmRadio:
        return FmRadioSlot(f, id);
    case EWebForm::Model:
        return ModelSlot(m, id);
    }
    return {};
}

val CWebForm::Values() const {
    auto& self = const_cast<CWebForm&>(*this);
    val values = val::object();
    val disabled = val::array();
    val pages = Pages();
    for (int p = 0; p < pages["length"].as<int>(); ++p) {
        val fields = pages[p]["fields"];
        for (int i = 0; i < fields["length"].as<int>(); ++i) {
            const int id = fields[i]["id"].as<int>();
            const CFieldSlot slot = SlotOf(id, kind_, self.options_, self.timing_, self.remote_,
                                           self.codes_, self.fm_, self.model_);
            const std::string key = std::to_string(id);
            if (slot.list) values.set(key, *slot.list);
            if (slot.edit) values.set(key, *slot.edit);
            if (!slot.column.empty()) values.set(key, Texts(slot.column));
        }
    }
    if (kind_ == EWebForm::Options && !options_.vfoMrEnabled) disabled.call<void>("push", kVfoMrId);
    values.set("disabled", disabled);
    return values;
}

void CWebForm::Set(int id, const val& value) {
    const CFieldSlot slot = SlotOf(id, kind_, options_, timing_, remote_, codes_, fm_, model_);
    if (slot.list) *slot.list = value.as<int>();
    if (slot.edit) *slot.edit = value.as<std::string>();
    if (!slot.column.empty()) {
        const int row = value["row"].as<int>();
        if (row < 0 || row >= static_cast<int>(slot.column.size())) return;
        std::string text = value["text"].as<std::string>();
        const CFormField* field = Field(id);
        if (field && field->leave) text = field->leave(text); // the column's commit correction
        slot.column[static_cast<std::size_t>(row)] = text;
    }
}

void CWebForm::Focus(int id) {
    if (kind_ != EWebForm::Dtmf) return;
    if (id == 1211) RememberSeparator(codes_, ani_);
    if (id == 1212) RememberOwnId(codes_, ani_);
}

void CWebForm::Leave(int id) {
    const CFormField* field = Field(id);
    const CFieldSlot slot = SlotOf(id, kind_, options_, timing_, remote_, codes_, fm_, model_);
    if (field && field->leave && slot.edit) *slot.edit = field->leave(*slot.edit);
    // The corrections that look at more than the one text.
    switch (kind_) {
    case EWebForm::Options:
    case EWebForm::FmRadio:
        break;
    case EWebForm::Dtmf:
        if (id == 1212) LeaveOwnId(codes_, ani_);
        break;
    case EWebForm::Model:
        if (id >= 1038 && id <= 1041) {
            const bool a = id < 1040;
            NormaliseBandPair(a ? model_.aLow : model_.bLow, a ? model_.aHigh : model_.bHigh,
                              (id - 1038) % 2 == 0);
        }
        break;
    }
}

void CWebForm::Change(int id) {
    if (kind_ == EWebForm::Options && id == kProfessionalModeId)
        ApplyProfessionalModeRule(options_);
    if (kind_ == EWebForm::Dtmf && id == 1211) ChangeSeparator(codes_, ani_);
}

void CWebForm::Press(int id, int row) {
    if (kind_ != EWebForm::Dtmf || id != 1209) return;
    if (row < 0 || row >= static_cast<int>(codes_.codes.size())) return;
    codes_.codes[static_cast<std::size_t>(row)] = AniCallText(codes_);
}

void CWebForm::Step(int id, int step) {
    const CFormField* field = Field(id);
    const CFieldSlot slot = SlotOf(id, kind_, options_, timing_, remote_, codes_, fm_, model_);
    if (field && field->step && slot.edit) *slot.edit = field->step(*slot.edit, step);
}

void CWebForm::ShowPage(int index) {
    if (kind_ != EWebForm::Dtmf || index == page_ || index < 0 || index > 2) return;
    CMemoryImage& image = doc_.Document().Image();
    if (page_ == 0) StoreDtmfTiming(timing_, image);
    if (page_ == 1) StoreDtmfRemote(remote_, image);
    if (page_ == 2) StoreDtmfCodeList(codes_, image, callId_);
    page_ = index;
    if (page_ == 0) timing_ = LoadDtmfTiming(image);
    if (page_ == 1) remote_ = LoadDtmfRemote(image);
    if (page_ == 2) codes_ = LoadDtmfCodeList(image, callId_, ani_);
}

bool CWebForm::Close(const std::string& stepName) {
    CDocument& document = doc_.Document();
    CMemoryImage& image = document.Image();
    switch (kind_) {
    case EWebForm::Options:
        StoreOptions(options_, image);
        break;
    case EWebForm::Dtmf:
        // Every page, shown or not, in the order timing, remote, code list.
        StoreDtmfTiming(timing_, image);
        StoreDtmfRemote(remote_, image);
        StoreDtmfCodeList(codes_, image, callId_);
        break;
    case EWebForm::FmRadio:
        StoreFmRadio(fm_, image);
        break;
    case EWebForm::Model:
        StoreModelFields(model_, document.Limits(), image);
        break;
    }
    const bool changed = !(image == before_.image) || !(document.Limits() == before_.limits);
    if (changed) document.Fill();
    doc_.RecordStep(before_, stepName);
    return changed;
}

} // namespace tarsel::web

EMSCRIPTEN_BINDINGS(forms) {
    using namespace emscripten;
    using tarsel::web::CWebForm;
    class_<CWebForm>("Form")
        .constructor<tarsel::web::CWebDocument*, std::string, std::string, std::string>(
            allow_raw_pointers())
        .function("pages", &CWebForm::Pages)
        .function("values", &CWebForm::Values)
        .function("set", &CWebForm::Set)
        .function("focus", &CWebForm::Focus)
        .function("leave", &CWebForm::Leave)
        .function("change", &CWebForm::Change)
        .function("press", &CWebForm::Press)
        .function("step", &CWebForm::Step)
        .function("showPage", &CWebForm::ShowPage)
        .function("close", &CWebForm::Close)
        .function("callId", &CWebForm::CallId);
    function("acceptKey", optional_override([](int rule, const std::string& typed) {
                 if (typed.size() != 1) return std::string();
                 const auto kept = tarsel::AcceptKey(static_cast<tarsel::EKeyRule>(rule), typed[0]);
                 return kept ? std::string(1, *kept) : std::string();
             }));
}
