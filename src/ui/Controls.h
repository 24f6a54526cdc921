#pragma once

// Everything a form class needs in one include.
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/CommonDialog.h"
#include "ui/ControlArray.h"
#include "ui/DatePicker.h"
#include "ui/Form.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/ListView.h"
#include "ui/OptionButton.h"
#include "ui/ProgressBar.h"
#include "ui/TabStrip.h"
#include "ui/TextBox.h"
