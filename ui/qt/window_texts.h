#pragma once
// Every text the Qt windows show of their own, one table per language. The
// dialog logic's texts (reports, countdown, cancel button) come from the
// logic; only their look here (the about entry, the file filters) is chosen.

#include <QString>

#include "engine/language.h"
#include "engine/text_types.h"

namespace tessaro::qt {

struct QtWindowTexts {
  // The main window. "&" marks the access key.
  Text inputLabel;
  Text outputLabel;
  Text browseInput;
  Text browseOutput;
  Text sizeLabel;
  Text sizeTooltip;  // what 1/1 and 1/2 mean
  Text forEditors;   // the check box for the editors' block flavour
  Text forEditorsTooltip;
  Text convert;
  // Names for screen readers (the browse buttons' also their tooltips).
  Text browseInputName;
  Text browseOutputName;
  Text progressName;
  Text progressDamagedName;  // after a damaged file
  Text reportName;           // the information box
  Text messageName;          // the error window's message
  Text aboutEntry;        // of the context menu
  Text showDamageEntry;   // of the context menu, after a damaged file
  Text showOutputEntry;   // of the context menu, after a conversion
  Text damageMark;        // beside the progress bar, after a damaged file
  Text damageMarkTooltip;
  // The error window.
  Text errorTitle;
  Text closeButton;
  // The about box.
  Text aboutTitle;
  Text aboutNotice;
};

const QtWindowTexts& QtWindowTextsFor(Language language);

// A table text as Qt shows it.
inline QString Q(const Text& text) { return QString::fromUtf8(text.c_str()); }

}  // namespace tessaro::qt
