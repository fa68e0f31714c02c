#pragma once
// The dialog's controls, by the names of the form (tool/form_layout.h): how
// TForm1 and its window name the control a value, a focus or a text is for.

enum class ControlId {
  ComboBox1,
  ComboBox2,
  Edit7,
  Edit8,
  Edit1,
  ComboBox3,
  Edit2,
  Edit3,
  ComboBox4,
  ComboBox5,
  RadioGroup1,
  RadioGroup2,
  CheckBox1,
  CheckBox2,
  CheckBox3,
  CheckBox4,
  Edit4,
  Edit5,
  Edit6,
  Edit9,
  Button1,
  Button2,
  Memo1,
  ScrollBox1,
  LabelA1,
};
