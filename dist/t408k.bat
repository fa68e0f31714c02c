@REM t408k_基準寸法の指定（連続寸法の起点にする寸法を記憶）
@echo off
goto run
REM #jww
REM #cd
REM #h0
REM #1基準にする寸法の始点を指示して下さい (L)free (R)Read
REM #2基準にする寸法の終点を指示して下さい (L)free (R)Read
REM #3寸法線の位置を指示して下さい (L)free (R)Read
REM #e
:run
t408q.exe /k
