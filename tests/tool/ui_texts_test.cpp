#include "tool/ui_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "tests/support/cp932.h"

TEST(ui_texts, every_text_is_the_cp932_form_of_its_utf8_text) {
  struct {
    std::string_view sjis;
    const char* name;
    const char* utf8;
  } cases[] = {
      {kWindowCaption, "kWindowCaption", "水平寸法線＋"},
      {kApplicationTitle, "kApplicationTitle", "t408_水平寸法線＋"},
      {kFontFace, "kFontFace", "ＭＳ ゴシック"},
      {kMessageCaption, "kMessageCaption", "確認"},
      {kLabelStartMarker, "kLabelStartMarker", "始点"},
      {kLabelEndMarker, "kLabelEndMarker", "終点"},
      {kLabelLineArrow, "kLabelLineArrow", "（線矢印）"},
      {kLabelArrowLength, "kLabelArrowLength", "長さ"},
      {kLabelArrowAngle, "kLabelArrowAngle", "角度"},
      {kLabelPaperMillimetres, "kLabelPaperMillimetres", "図寸mm"},
      {kLabelDegrees, "kLabelDegrees", "°"},
      {kLabelEndMarkerScale, "kLabelEndMarkerScale", "端点倍率"},
      {kLabelEndMarkerScaleNote, "kLabelEndMarkerScaleNote", "（点マーカ　線矢印を除く）"},
      {kLabelTextType, "kLabelTextType", "寸法値の文字種"},
      {kLabelPrefix, "kLabelPrefix", "接頭文字"},
      {kLabelSuffix, "kLabelSuffix", "接尾文字"},
      {kLabelPrecision, "kLabelPrecision", "寸法値の精度"},
      {kLabelRounding, "kLabelRounding", "寸法値の丸め"},
      {kLabelTextGap, "kLabelTextGap", "寸法値と水平線との距離"},
      {kLabelExtensionGap, "kLabelExtensionGap", "計測点と寸法補助線の距離"},
      {kLabelExtensionOvershoot, "kLabelExtensionOvershoot", "寸法補助線のはみ出し距離"},
      {kLabelReverseOvershoot, "kLabelReverseOvershoot", "逆矢印の寸法はみだし距離"},
      {kMarkerLineArrow, "kMarkerLineArrow", "線矢印"},
      {kMarkerTriangle, "kMarkerTriangle", "△"},
      {kMarkerSquare, "kMarkerSquare", "□"},
      {kMarkerLetterO, "kMarkerLetterO", "Ｏ"},
      {kMarkerCircle, "kMarkerCircle", "○"},
      {kMarkerFilledSquare, "kMarkerFilledSquare", "■"},
      {kMarkerFilledTriangle, "kMarkerFilledTriangle", "▲"},
      {kMarkerFilledCircle, "kMarkerFilledCircle", "●"},
      {kMarkerWave, "kMarkerWave", "～"},
      {kMarkerChevron, "kMarkerChevron", "＞"},
      {kMarkerSlash, "kMarkerSlash", "／"},
      {kRoundingCutOff, "kRoundingCutOff", "切り捨て"},
      {kRoundingUp, "kRoundingUp", "切り上げ"},
      {kRoundingHalfUp, "kRoundingHalfUp", "四捨五入"},
      {kTrailingZerosCaption, "kTrailingZerosCaption", "小数点以下の０表示"},
      {kTrailingZerosRemoved, "kTrailingZerosRemoved", "無"},
      {kTrailingZerosKept, "kTrailingZerosKept", "有"},
      {kUnitCaption, "kUnitCaption", "寸法値の単位"},
      {kUnitMetres, "kUnitMetres", "ｍ"},
      {kCheckThousandsCommas, "kCheckThousandsCommas", "３桁毎カンマ付加"},
      {kCheckUnitText, "kCheckUnitText", "単位の付加"},
      {kCheckFullWidth, "kCheckFullWidth", "寸法値を全角化"},
      {kCheckDimensionFigure, "kCheckDimensionFigure", "寸法図形化"},
      {kButtonOk, "kButtonOk", "ＯＫ(&Y)"},
      {kButtonCancel, "kButtonCancel", "キャンセル(&N)"},
      {kStatusInitial, "kStatusInitial", "　"},
      {kStatusWorking, "kStatusWorking", "処理中です"},
      {kStatusWritingFile, "kStatusWritingFile", "ファイル生成中です"},
      {kMessageNoSettingsFile, "kMessageNoSettingsFile",
       "t407_水平寸法線が一度も実行されていません。先にそちらを実行して下さい。"},
      {kMessageInsideReference, "kMessageInsideReference",
       "直前作図した水平寸法線の内側を指定する事は出来ません。"},
      {kMessageZeroLength, "kMessageZeroLength", "寸法が「0」になりますので作図出来ません"},
      {kTextTypeCurrentOpen, "kTextTypeCurrentOpen", "現在の文字種("},
      {kInvalidValueOpen, "kInvalidValueOpen", "設定「"},
      {kInvalidValueClose, "kInvalidValueClose", "」の値が正しくありません。"},
      {kValueNameArrowLength, "kValueNameArrowLength", "線矢印の長さ"},
      {kValueNameArrowAngle, "kValueNameArrowAngle", "線矢印の角度"},
      {kMessageReferencePointsMissing, "kMessageReferencePointsMissing",
       "基準寸法の３点が指示されていません。"},
      {kMessageReferenceNoLength, "kMessageReferenceNoLength",
       "基準寸法の始点と終点が同じ位置です。"},
      {kBandLeftOfReference, "kBandLeftOfReference", "基準寸法の左に"},
      {kBandRightOfReference, "kBandRightOfReference", "基準寸法の右に"},
      {kBandValueOpen, "kBandValueOpen", "「"},
      {kBandFigureOpen, "kBandFigureOpen", "寸法図形「"},
      {kBandAddClose, "kBandAddClose", "」を追加"},
      {kBandReversed, "kBandReversed", "、端点は外向き"},
      {kBandAxisDiffers, "kBandAxisDiffers", "、軸角が違い一直線になりません"},
      {kBandElision, "kBandElision", "…"},
      {kBandTypedClose, "kBandTypedClose", "」："},
      {kBandAbove, "kBandAbove", " より大きい数"},
      {kBandAboveAnd, "kBandAboveAnd", " より大きく "},
      {kBandFrom, "kBandFrom", " 以上の数"},
      {kBandFromAnd, "kBandFromAnd", " 以上 "},
      {kBandUpTo, "kBandUpTo", " 以下の数"},
      {kBandBelow, "kBandBelow", " 未満の数"},
      {kBandPleaseMake, "kBandPleaseMake", "にして下さい"},
      {kBandChooseItem, "kBandChooseItem", "：項目を選んで下さい"},
      {kRejectedCharacterMiddle, "kRejectedCharacterMiddle", "」に Jw_cad で使えない文字「"},
      {kRejectedCharacterClose, "kRejectedCharacterClose", "」があります。"},
      {kMessageTooLarge, "kMessageTooLarge",
       "寸法の座標が大きすぎて作図出来ません。設定の値を確認して下さい。"},
      {kFileNotSaved, "kFileNotSaved", "を保存出来ませんでした（"},
      {kFileNotRead, "kFileNotRead", "を読み込めませんでした（"},
      {kFileReasonClose, "kFileReasonClose", "）。"},
      {kNothingAdded, "kNothingAdded", "寸法は追加していません。"},
      {kReferenceNotTaken, "kReferenceNotTaken", "基準寸法は記憶されていません。"},
      {kSettingsNotRestored, "kSettingsNotRestored", "t407.dat も元に戻せませんでした（"},
      {kReasonInUse, "kReasonInUse", "他のプログラムが使用中です"},
      {kReasonReadOnly, "kReasonReadOnly", "読み取り専用になっています"},
      {kReasonDiskFull, "kReasonDiskFull", "ディスクの空き容量が足りません"},
      {kReasonNoWritePermission, "kReasonNoWritePermission", "フォルダに書き込む権限がありません"},
      {kReasonNoReadPermission, "kReasonNoReadPermission", "読み込む権限がありません"},
      {kReasonNotAFile, "kReasonNotAFile", "同じ名前のフォルダがあります"},
      {kReasonReadError, "kReasonReadError", "読み込み中にエラーが起きました"},
      {kReasonWriteError, "kReasonWriteError", "書き込み中にエラーが起きました"},
      {kReasonMissing, "kReasonMissing", "ファイルがありません"},
      {kNoticeReferenceTaken, "kNoticeReferenceTaken", "基準寸法を記憶しました"},
      {kMessageUnknownArguments, "kMessageUnknownArguments",
       "t408q.exe の起動オプションが正しくありません。/k、/r "
       "のどちらかを付けるか、何も付けないで下さい。"},
      {kMemoLines[0], "kMemoLines[0]", "◆設定データは t407と"},
      {kMemoLines[1], "kMemoLines[1]", "　共用利用します。"},
      {kMemoLines[2], "kMemoLines[2]", "◆追加する寸法線は"},
      {kMemoLines[3], "kMemoLines[3]", "　外側のみです。"},
      {kMemoLines[4], "kMemoLines[4]", "　内側には出来ません。"},
      {kMemoLines[5], "kMemoLines[5]", ""},
      {kMemoLines[6], "kMemoLines[6]", "◆ブロック図形内のものは"},
      {kMemoLines[7], "kMemoLines[7]", "　処理出来ませんので"},
      {kMemoLines[8], "kMemoLines[8]", "　御注意下さい。"},
      {kMemoLines[9], "kMemoLines[9]", "　ブロック編集内で行う"},
      {kMemoLines[10], "kMemoLines[10]", "　場合には、本ソフトを"},
      {kMemoLines[11], "kMemoLines[11]", "　Jw_cadのインストール・"},
      {kMemoLines[12], "kMemoLines[12]", "　フォルダに配置して"},
      {kMemoLines[13], "kMemoLines[13]", "　実行を行って下さい。"},
      {kMemoLines[14], "kMemoLines[14]", "◆ウイルス／セキュリティ"},
      {kMemoLines[15], "kMemoLines[15]", "　ソフト／セキュリティ"},
      {kMemoLines[16], "kMemoLines[16]", "　設定の画面が表示"},
      {kMemoLines[17], "kMemoLines[17]", "　され、許可／遮断を"},
      {kMemoLines[18], "kMemoLines[18]", "　問い合わせてきた場合"},
      {kMemoLines[19], "kMemoLines[19]", "　には「許可」を選択して"},
      {kMemoLines[20], "kMemoLines[20]", "　下さい。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(std::string(c.sjis), ToCp932(c.utf8));
  }
}

TEST(ui_texts, memo_has_twenty_one_lines_with_the_sixth_empty) {
  ASSERT_EQ(std::size(kMemoLines), 21u);
  for (std::size_t i = 0; i < std::size(kMemoLines); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(kMemoLines[i].empty(), i == 5);
  }
}
