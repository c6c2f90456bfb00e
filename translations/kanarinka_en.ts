<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>AccessibleNames</name>
    <message>
        <source>カナリンカ</source>
        <translation>Kanarinka</translation>
    </message>
    <message>
        <source>タイトル</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>区切り線</source>
        <translation>Separator</translation>
    </message>
    <message>
        <source>プレイエリア</source>
        <translation>Playing area</translation>
    </message>
    <message>
        <source>成績</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>正答数、誤答数、文字数、正解率、1秒あたりの文字数</source>
        <translation>Right answers, wrong answers, kana typed, accuracy, kana per second</translation>
    </message>
    <message>
        <source>プレイ秒数</source>
        <translation>Play time</translation>
    </message>
    <message>
        <source>1 ゲームの秒数。一覧から選ぶと保存されます</source>
        <translation>Seconds in a game. A choice from the list is saved</translation>
    </message>
    <message>
        <source>自動保存</source>
        <translation>Save automatically</translation>
    </message>
    <message>
        <source>スタートの信号：赤</source>
        <translation>Start signal: red</translation>
    </message>
    <message>
        <source>スタートの信号：黄</source>
        <translation>Start signal: yellow</translation>
    </message>
    <message>
        <source>スタートの信号：青</source>
        <translation>Start signal: green</translation>
    </message>
    <message>
        <source>使った時間</source>
        <translation>Time used</translation>
    </message>
    <message>
        <source>残り時間</source>
        <translation>Time left</translation>
    </message>
    <message>
        <source>相手の言葉</source>
        <translation>Computer&apos;s word</translation>
    </message>
    <message>
        <source>この言葉の最後の文字で始まる言葉を答えます</source>
        <translation>Answer with a word that starts with this word&apos;s last kana</translation>
    </message>
    <message>
        <source>自分の答え</source>
        <translation>Your answer</translation>
    </message>
    <message>
        <source>答えを入力して Enter キーを押します</source>
        <translation>Type your answer and press Enter</translation>
    </message>
    <message>
        <source>しりとり履歴</source>
        <translation>Word chain</translation>
    </message>
    <message>
        <source>このゲームの言葉。相手の言葉と自分の答えが交互に並びます</source>
        <translation>This game&apos;s words: the computer&apos;s words and your answers in turn</translation>
    </message>
    <message>
        <source>覚えた言葉</source>
        <translation>Learned words</translation>
    </message>
    <message>
        <source>辞書の言葉</source>
        <translation>The words of the dictionary</translation>
    </message>
    <message>
        <source>答えた言葉</source>
        <translation>Answered words</translation>
    </message>
    <message>
        <source>返事の候補</source>
        <translation>Possible replies</translation>
    </message>
    <message>
        <source>履歴</source>
        <translation>History</translation>
    </message>
    <message>
        <source>保存したゲームの結果</source>
        <translation>Results of the saved games</translation>
    </message>
    <message>
        <source>次に始める文字</source>
        <translation>Kana to start with</translation>
    </message>
    <message>
        <source>正答数</source>
        <translation>Right answers</translation>
    </message>
    <message>
        <source>しりとりになった答えの数</source>
        <translation>Answers that continued the chain</translation>
    </message>
    <message>
        <source>誤答数</source>
        <translation>Wrong answers</translation>
    </message>
    <message>
        <source>ルールに合わなかった答えの数</source>
        <translation>Answers that broke a rule</translation>
    </message>
    <message>
        <source>文字数</source>
        <translation>Kana typed</translation>
    </message>
    <message>
        <source>しりとりになった答えの文字の数</source>
        <translation>Kana in the answers that continued the chain</translation>
    </message>
    <message>
        <source>正解率</source>
        <translation>Accuracy</translation>
    </message>
    <message>
        <source>正答数 ÷（正答数 ＋ 誤答数）</source>
        <translation>Right answers ÷ (right answers + wrong answers)</translation>
    </message>
    <message>
        <source>1秒あたりの文字数</source>
        <translation>Kana per second</translation>
    </message>
    <message>
        <source>文字数 ÷ プレイ秒数</source>
        <translation>Kana typed ÷ play time in seconds</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>AnswerRecord</name>
    <message>
        <source>
このあとの答えも記録できないかもしれません。ゲームはそのまま続けられます。</source>
        <translation>
The next answers may not be recorded either. The game goes on as it is.</translation>
    </message>
    <message>
        <source>%1 を開けません（%2）。このあいだ、答えは記録しません。</source>
        <translation>Can&apos;t open %1 (%2). Answers are not recorded for now.</translation>
    </message>
    <message>
        <source>%1 は、これより新しい版のカナリンカが書いた記録です。そのまま残し、このあいだ答えは記録しません。</source>
        <translation>%1 was written by a newer version of Kanarinka. It is left as it is, and answers are not recorded for now.</translation>
    </message>
    <message>
        <source>%1 は答えの記録として読めず、名前も変えられませんでした（%2）。このあいだ、答えは記録しません。</source>
        <translation>%1 can&apos;t be read as a record of answers and could not be renamed (%2). Answers are not recorded for now.</translation>
    </message>
    <message>
        <source>%1 は答えの記録として読めないため、%2 に名前を変えて残しました。記録は新しいファイルで続けます。</source>
        <translation>%1 can&apos;t be read as a record of answers, so it was kept under the name %2. Recording goes on in a new file.</translation>
    </message>
    <message>
        <source>%1 を短くできませんでした: %2</source>
        <translation>Could not shorten %1: %2</translation>
    </message>
    <message>
        <source>%1 は答えの記録として読めません。</source>
        <translation>%1 can&apos;t be read as a record of answers.</translation>
    </message>
    <message>
        <source>%1 は、これより新しい版のカナリンカが書いた記録です。</source>
        <translation>%1 was written by a newer version of Kanarinka.</translation>
    </message>
    <message>
        <source>
このあいだ、答えは記録しません。</source>
        <translation>
Answers are not recorded for now.</translation>
    </message>
</context>
<context>
    <name>ChainMarks</name>
    <message>
        <source>相手の言葉</source>
        <translation>Computer&apos;s word</translation>
    </message>
    <message>
        <source>自分の答え</source>
        <translation>Your answer</translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>「%1」の言葉が多すぎます。辞書に入れられるのは %2 語までです。</source>
        <translation>「%1」 holds too many words. The dictionary takes up to %2 words.</translation>
    </message>
    <message>
        <source>「%1」がカナリンカの起動後にほかのプログラムで書き換えられたため、一覧の言葉と合いません。カナリンカを起動し直してから、もう一度選んでください。</source>
        <translation>「%1」 was changed by another program after Kanarinka started, so it no longer matches the list. Restart Kanarinka and choose again.</translation>
    </message>
    <message>
        <source>「%1」の行を読み分けられません。</source>
        <translation>Can&apos;t tell the lines of 「%1」 apart.</translation>
    </message>
    <message>
        <source>「%1」の「%2」は 1 行に 1 語の形で書かれていないため、ここでは消せません。テキストエディターで直してください。</source>
        <translation>「%2」 in 「%1」 is not written one word to a line, so it can&apos;t be removed here. Correct it in a text editor.</translation>
    </message>
    <message>
        <source>「%1」の記録が多すぎます（%2 行目）。読み込めるのは %3 件までです。</source>
        <translation>「%1」 holds too many records (line %2). Up to %3 can be loaded.</translation>
    </message>
    <message>
        <source>「%1」の %2 件目の記録が途中で終わっています（%3 行目、値が 9 つ必要なところ %4 つ）。</source>
        <translation>Record %2 of 「%1」 is cut short (line %3: %4 values where 9 are needed).</translation>
    </message>
    <message>
        <source>「%1」の %2 件目の記録（%3 行目）: %4 番目の値「%5」が -32768～32767 の整数ではありません。</source>
        <translation>Record %2 of 「%1」 (line %3): value %4, 「%5」, is not a whole number from -32768 to 32767.</translation>
    </message>
    <message>
        <source>「%1」の記録が %2 件になったため、これ以上保存できません。クリアで履歴を空にすると、また保存できます。</source>
        <translation>「%1」 holds %2 records, so no more can be saved. Empty the history with Clear to save again.</translation>
    </message>
    <message>
        <source>プレイ秒数</source>
        <translation>the play time</translation>
    </message>
    <message>
        <source>自動保存</source>
        <translation>the automatic save</translation>
    </message>
    <message>
        <source>「%1」に値が 2 つありません（プレイ秒数と自動保存の 2 つが必要です）。</source>
        <translation>「%1」 does not hold 2 values (the play time and the automatic save are both needed).</translation>
    </message>
    <message>
        <source>「%1」の %2 行目: %3の値「%4」が -32768～32767 の整数ではありません。</source>
        <translation>「%1」, line %2: the value of %3, 「%4」, is not a whole number from -32768 to 32767.</translation>
    </message>
    <message>
        <source>「%1」: プレイ秒数 %2 は 1 以上でなければなりません。</source>
        <translation>「%1」: the play time %2 must be 1 or more.</translation>
    </message>
    <message>
        <source>「%1」: 自動保存の値 %2 は 0、1、2 のどれかでなければなりません。</source>
        <translation>「%1」: the automatic save value %2 must be 0, 1 or 2.</translation>
    </message>
</context>
<context>
    <name>Game</name>
    <message>
        <source>最後が『ん』じゃだめです！</source>
        <translation>A word must not end in 『ん』 (n)!</translation>
    </message>
    <message>
        <source>間違い</source>
        <translation>Wrong</translation>
    </message>
    <message>
        <source>最後の 『ー』 は 『ぃ』 とか 『ぅ』 とかに置き換えてください！</source>
        <translation>Replace the final 『ー』 with a kana such as 『ぃ』 (i) or 『ぅ』 (u)!</translation>
    </message>
    <message>
        <source>置き換え</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>既に使った回答です！</source>
        <translation>You have already used that answer!</translation>
    </message>
    <message>
        <source>重複回答</source>
        <translation>Repeated answer</translation>
    </message>
    <message>
        <source>しりとりになっていません！</source>
        <translation>That doesn&apos;t continue the chain!</translation>
    </message>
    <message>
        <source>「%1」に新しい言葉を書き込めないため、その言葉は覚えられません。ゲームはこのまま続けます。
%2</source>
        <translation>New words can&apos;t be written to 「%1」, so the word can&apos;t be learned. The game goes on.
%2</translation>
    </message>
    <message>
        <source>辞書に書き込めません</source>
        <translation>Can&apos;t write to the dictionary</translation>
    </message>
    <message>
        <source>「%1」に言葉がひとつもないため、最初の言葉を出せません。辞書に言葉を入れてからスタートしてください。</source>
        <translation>「%1」 holds no words, so there is no first word to show. Put words in the dictionary, then start.</translation>
    </message>
    <message>
        <source>スタートできません</source>
        <translation>Can&apos;t start</translation>
    </message>
    <message>
        <source>回</source>
        <translation>#</translation>
    </message>
    <message>
        <source>日付</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>時間</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>問数</source>
        <translation>Words</translation>
    </message>
    <message>
        <source>ＯＫ</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>ＮＧ</source>
        <translation>NG</translation>
    </message>
    <message>
        <source>文字数</source>
        <translation>Kana</translation>
    </message>
    <message>
        <source>正解率</source>
        <translation>Correct</translation>
    </message>
    <message>
        <source>秒当たり</source>
        <translation>Per sec</translation>
    </message>
    <message>
        <source>表示秒数</source>
        <translation>Seconds</translation>
    </message>
    <message>
        <source>保存できません</source>
        <translation>Can&apos;t save</translation>
    </message>
    <message>
        <source>このゲームの結果を保存できませんでした。
</source>
        <translation>This game&apos;s result could not be saved.
</translation>
    </message>
    <message>
        <source>履歴データをクリアします。よろしいですか？</source>
        <translation>This clears the history. Are you sure?</translation>
    </message>
    <message>
        <source>クリア確認</source>
        <translation>Clear the history</translation>
    </message>
    <message>
        <source>履歴データをクリアしました</source>
        <translation>The history has been cleared</translation>
    </message>
    <message>
        <source>クリア終了</source>
        <translation>Cleared</translation>
    </message>
    <message>
        <source>新しい文字を %1 個覚えました！</source>
        <translation>New words learned: %1!</translation>
    </message>
    <message>
        <source>辞書追加</source>
        <translation>New words</translation>
    </message>
    <message>
        <source>覚えた言葉 %1個</source>
        <translation>Learned words: %1</translation>
    </message>
    <message>
        <source>カナリンカ</source>
        <translation>Kanarinka</translation>
    </message>
</context>
<context>
    <name>Launcher</name>
    <message>
        <source>データフォルダの場所が決まりません: 環境変数 HOME がないか、絶対パスではありません。</source>
        <translation>Can&apos;t tell where the data folder is: the HOME environment variable is missing or not an absolute path.</translation>
    </message>
    <message>
        <source>データフォルダの場所が決まりません。</source>
        <translation>Can&apos;t tell where the data folder is.</translation>
    </message>
    <message>
        <source>%1 はフォルダではありません。</source>
        <translation>%1 is not a folder.</translation>
    </message>
    <message>
        <source>%1 に書き込めません。</source>
        <translation>Can&apos;t write to %1.</translation>
    </message>
    <message>
        <source>データフォルダ %1 に移れません。</source>
        <translation>Can&apos;t change to the data folder %1.</translation>
    </message>
    <message>
        <source>ゲーム %1 を起動できません: %2</source>
        <translation>Can&apos;t start the game %1: %2</translation>
    </message>
    <message>
        <source>ゲーム %1 が異常終了しました。</source>
        <translation>The game %1 ended abnormally.</translation>
    </message>
    <message>
        <source>ゲーム本体が見つかりません。探した場所: %1</source>
        <translation>The game itself can&apos;t be found. Looked in: %1</translation>
    </message>
    <message>
        <source>データフォルダ %1 を作れません。%2</source>
        <translation>Can&apos;t make the data folder %1. %2</translation>
    </message>
    <message>
        <source>カナリンカ</source>
        <translation>Kanarinka</translation>
    </message>
    <message>
        <source>既定のファイル %1 を読めません: %2</source>
        <translation>Can&apos;t read the default file %1: %2</translation>
    </message>
    <message>
        <source>%1 を作れません: %2</source>
        <translation>Can&apos;t make %1: %2</translation>
    </message>
    <message>
        <source>%1 を書き換えられません: %2</source>
        <translation>Can&apos;t rewrite %1: %2</translation>
    </message>
    <message>
        <source>既定のファイルのフォルダ %1 がありません。</source>
        <translation>The folder of default files %1 is missing.</translation>
    </message>
    <message>
        <source>既定のファイル %1 がありません。</source>
        <translation>The default file %1 is missing.</translation>
    </message>
    <message>
        <source>データフォルダ %1 にファイルを作れません: %2</source>
        <translation>Can&apos;t make files in the data folder %1: %2</translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <source>カナリンカはこのフォルダですでに動いています。
「%1」

動いているカナリンカがないときは、このフォルダの「%2」を消してから、もう一度起動してください。</source>
        <translation>Kanarinka is already running in this folder.
「%1」

If no Kanarinka is running, delete 「%2」 in this folder and start again.</translation>
    </message>
    <message>
        <source>カナリンカ</source>
        <translation>Kanarinka</translation>
    </message>
    <message>
        <source>カナリンカはこのフォルダですでに動いています。
「%1」</source>
        <translation>Kanarinka is already running in this folder.
「%1」</translation>
    </message>
</context>
<context>
    <name>MessageBoxes</name>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>NumberFormat</name>
    <message>
        <source>%1/秒</source>
        <translation>%1/s</translation>
    </message>
</context>
<context>
    <name>OneCopy</name>
    <message>
        <source>%1 を作れません: %2</source>
        <translation>Can&apos;t make %1: %2</translation>
    </message>
    <message>
        <source>%1 を作れません。同じ名前のフォルダがあり、空ではありません。</source>
        <translation>Can&apos;t make %1: a folder of the same name is there and is not empty.</translation>
    </message>
    <message>
        <source>%1 を作れません。残っている古いものを消せません。</source>
        <translation>Can&apos;t make %1: the old one left there can&apos;t be deleted.</translation>
    </message>
</context>
<context>
    <name>Pictures</name>
    <message>
        <source>カナリンカ</source>
        <translation>Kanarinka</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>「%1」に設定を書き込めませんでした。</source>
        <translation>Could not write the preferences to 「%1」.</translation>
    </message>
</context>
<context>
    <name>ProgressWindow</name>
    <message>
        <source>%1（%2 回平均）</source>
        <translation>%1 (average of %2)</translation>
    </message>
    <message>
        <source>苦手：まだ分かりません。ひとつの文字で %1 回答えると、その文字の色がつきます。</source>
        <translation>Weak kana: not known yet. A kana gets its colour once you have answered it %1 times.</translation>
    </message>
    <message>
        <source>苦手：</source>
        <translation>Weak kana: </translation>
    </message>
    <message>
        <source>成績 - カナリンカ</source>
        <translation>Progress - Kanarinka</translation>
    </message>
    <message>
        <source>表示秒数で絞り込む</source>
        <translation>Show games of this play time</translation>
    </message>
    <message>
        <source>10 秒と 180 秒のゲームの速さは比べられないため、表示秒数で絞り込めます。</source>
        <translation>Speeds in 10-second and 180-second games can&apos;t be compared, so you can show one play time.</translation>
    </message>
    <message>
        <source>考える時間&#x3000;短い %1 長い&#x3000;%2 まだ分からない</source>
        <translation>Thinking time: short %1 long  %2 not known yet</translation>
    </message>
    <message>
        <source>表示秒数</source>
        <translation>Play time</translation>
    </message>
    <message>
        <source>文字の地図（その文字で始まる言葉を思いつくまでの時間）</source>
        <translation>Kana map (time to think of a word starting with the kana)</translation>
    </message>
    <message>
        <source>すべて</source>
        <translation>All</translation>
    </message>
    <message>
        <source>%1秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>保存したゲームはまだありません</source>
        <translation>No saved games yet</translation>
    </message>
    <message>
        <source>文字/秒</source>
        <translation>Kana/s</translation>
    </message>
    <message>
        <source>正解率</source>
        <translation>Accuracy</translation>
    </message>
    <message>
        <source>/秒</source>
        <translation>/s</translation>
    </message>
    <message>
        <source>自己ベスト %1/秒（%2）</source>
        <translation>Personal best %1/s (%2)</translation>
    </message>
    <message>
        <source>保存したゲーム %1 回&#x3000;最新 %2/秒・正解率 %3%</source>
        <translation>Saved games: %1  latest %2/s, accuracy %3%</translation>
    </message>
    <message>
        <source>「%1」の読めない %2 行は飛ばしました。</source>
        <translation>Unreadable lines of 「%1」 skipped: %2.</translation>
    </message>
    <message>
        <source>日付か表示秒数の読めない保存ゲーム %1 回はグラフに入れていません。</source>
        <translation>Saved games left out of the chart for an unreadable date or play time: %1.</translation>
    </message>
    <message>
        <source>打鍵/分：ローマ字入力で遊ぶと出ます</source>
        <translation>Keys/min: shown once you play with romaji input</translation>
    </message>
    <message>
        <source>打鍵/分</source>
        <translation>Keys/min</translation>
    </message>
    <message>
        <source>/分</source>
        <translation>/min</translation>
    </message>
    <message>
        <source>練習カレンダー（26 週間、1 日は朝 4 時から）</source>
        <translation>Practice calendar (26 weeks; a day starts at 4:00)</translation>
    </message>
</context>
<context>
    <name>TextFile</name>
    <message>
        <source>の書きかけの行の記録を読めません</source>
        <translation>— the note of its half-written line can&apos;t be read</translation>
    </message>
    <message>
        <source>の書きかけの行の記録を消せません</source>
        <translation>— the note of its half-written line can&apos;t be deleted</translation>
    </message>
    <message>
        <source>の書きかけの行を取り除けません</source>
        <translation>— its half-written line can&apos;t be removed</translation>
    </message>
    <message>
        <source>の書きかけの行の記録を移せません</source>
        <translation>— the note of its half-written line can&apos;t be moved</translation>
    </message>
    <message>
        <source>同じ名前のフォルダがあります。</source>
        <translation>There is a folder of the same name.</translation>
    </message>
    <message>
        <source>入れるフォルダがありません。</source>
        <translation>The folder it goes in is missing.</translation>
    </message>
    <message>
        <source>読む権限がありません。</source>
        <translation>No permission to read it.</translation>
    </message>
    <message>
        <source>読み取り専用のドライブにあります。</source>
        <translation>It is on a read-only drive.</translation>
    </message>
    <message>
        <source>書き込む権限がありません。</source>
        <translation>No permission to write it.</translation>
    </message>
    <message>
        <source>ディスクに空きがありません。</source>
        <translation>The disk is full.</translation>
    </message>
    <message>
        <source>ファイルがありません。</source>
        <translation>The file is missing.</translation>
    </message>
    <message>
        <source>%1 の %2 行目（先頭から %3 バイト目）に Shift_JIS (CP932) として読めないバイト 0x%4 があります。</source>
        <translation>Line %2 of %1 (byte %3 from the start) holds the byte 0x%4, which can&apos;t be read as Shift_JIS (CP932).</translation>
    </message>
    <message>
        <source>%1 に書けない文字「%2」(U+%3) があります。Shift_JIS (CP932) で表せない文字は保存できません。</source>
        <translation>%1 would hold the character 「%2」 (U+%3), which can&apos;t be written. Characters that Shift_JIS (CP932) can&apos;t hold can&apos;t be saved.</translation>
    </message>
    <message>
        <source>%1 に書けない文字（対になっていないサロゲート）があります。</source>
        <translation>%1 would hold a character that can&apos;t be written (an unpaired surrogate).</translation>
    </message>
    <message>
        <source>%1 が見つかりません。</source>
        <translation>%1 can&apos;t be found.</translation>
    </message>
    <message>
        <source>を開けません</source>
        <translation>can&apos;t be opened</translation>
    </message>
    <message>
        <source>を読めません</source>
        <translation>can&apos;t be read</translation>
    </message>
    <message>
        <source>に書き込めません</source>
        <translation>can&apos;t be written to</translation>
    </message>
    <message>
        <source>ふつうのファイルではありません（名前付きパイプやデバイスなど）。</source>
        <translation>It is not a regular file (it is a named pipe, a device or the like).</translation>
    </message>
</context>
<context>
    <name>WordCue</name>
    <message>
        <source>つぎ：</source>
        <translation>next: </translation>
    </message>
</context>
<context>
    <name>review::ReviewList</name>
    <message>
        <source>
復習の一覧は、このあいだだけ覚えておきます。</source>
        <translation>
The review list is kept only while the program runs.</translation>
    </message>
    <message>
        <source>
このあいだ、復習の言葉は覚えておきません。</source>
        <translation>
Review words are not kept for now.</translation>
    </message>
    <message>
        <source>%1 は復習の一覧として読めないため、%2 に名前を変えて残しました。一覧は新しいファイルで始めます。</source>
        <translation>%1 can&apos;t be read as a review list, so it was kept under the name %2. The list starts again in a new file.</translation>
    </message>
    <message>
        <source>%1 は、これより新しい版のカナリンカが書いた一覧です。そのまま残し、このあいだ復習の言葉は覚えておきません。</source>
        <translation>%1 was written by a newer version of Kanarinka. It is left as it is, and review words are not kept for now.</translation>
    </message>
    <message>
        <source>%1 を使えません（%2）。このあいだ、復習の言葉は覚えておきません。</source>
        <translation>Can&apos;t use %1 (%2). Review words are not kept for now.</translation>
    </message>
    <message>
        <source>%1 を読めません（%2）。このあいだ、復習の言葉は覚えておきません。</source>
        <translation>Can&apos;t read %1 (%2). Review words are not kept for now.</translation>
    </message>
</context>
<context>
    <name>ui::AnswerBox</name>
    <message>
        <source>ひらがな入力	半角/全角</source>
        <translation>Hiragana input	Hankaku/Zenkaku</translation>
    </message>
    <message>
        <source>かな入力	半角/全角</source>
        <translation>Kana input	Hankaku/Zenkaku</translation>
    </message>
</context>
<context>
    <name>ui::HelpBrowser</name>
    <message>
        <source>ページが見つかりません</source>
        <translation>Page not found</translation>
    </message>
    <message>
        <source>このページはヘルプファイルの中にありません。</source>
        <translation>This page is not in the help file.</translation>
    </message>
</context>
<context>
    <name>ui::HelpWindow</name>
    <message>
        <source>移動</source>
        <translation>Navigation</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>進む</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>ホーム</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>ヘルプ - %1</source>
        <translation>Help - %1</translation>
    </message>
    <message>
        <source>ヘルプファイル%1が見つかりません。</source>
        <translation>The help file %1 cannot be found.</translation>
    </message>
    <message>
        <source>ヘルプファイル%1を開けません。読み取りが許可されていません。</source>
        <translation>The help file %1 cannot be opened: reading it is not allowed.</translation>
    </message>
    <message>
        <source>ヘルプファイル%1を読み込めません。コンパイル済み HTML ヘルプ (.chm) の形式ではないか、壊れています。</source>
        <translation>The help file %1 cannot be read. It is not compiled HTML help (.chm), or it is damaged.</translation>
    </message>
    <message>
        <source>ヘルプファイル%1には表示できるページがありません。</source>
        <translation>The help file %1 has no page that can be shown.</translation>
    </message>
    <message>
        <source>ヘルプを表示できません</source>
        <translation>The help cannot be shown</translation>
    </message>
    <message>
        <source>場所: %1</source>
        <translation>Location: %1</translation>
    </message>
    <message>
        <source>このリンクは開けません。ヘルプから開けるのは http と https のアドレスだけです。

%1</source>
        <translation>This link cannot be opened. The help opens only http and https addresses.

%1</translation>
    </message>
    <message>
        <source>次のアドレスをブラウザで開きますか？

%1</source>
        <translation>Open this address in your browser?

%1</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ui::KanaMap</name>
    <message>
        <source>文字の地図</source>
        <translation>Kana map</translation>
    </message>
    <message>
        <source>「%1」で始める答え %2 回、間違い %3 回</source>
        <translation>Answers starting with 「%1」: %2, wrong: %3</translation>
    </message>
    <message>
        <source>
最初のキーまでの時間（中央値）%1 秒</source>
        <translation>
Time to the first key (median): %1 s</translation>
    </message>
    <message>
        <source>
まだ少ないため分かりません（%1 回から）</source>
        <translation>
Too few yet to tell (from %1 answers)</translation>
    </message>
</context>
<context>
    <name>ui::LearnedWords</name>
    <message>
        <source>言葉を忘れる</source>
        <translation>Forget a word</translation>
    </message>
    <message>
        <source>この言葉を忘れる</source>
        <translation>Forget this word</translation>
    </message>
    <message>
        <source>ゲームの間は言葉を忘れられません。いまのゲームは「%1」の言葉を読み込んで使っています。ゲームが終わってから、もう一度選んでください。</source>
        <translation>Words can&apos;t be forgotten during a game: this game has read the words of 「%1」 and uses them. Choose again once the game is over.</translation>
    </message>
    <message>
        <source>「%1」を忘れますか？
「%2」からこの言葉を消すと、コンピューターは次のゲームからこの言葉を使いません。</source>
        <translation>Forget 「%1」?
Once the word is removed from 「%2」, the computer no longer uses it from the next game on.</translation>
    </message>
    <message>
        <source>「%1」を忘れられませんでした。「%2」は変えていません。
%3</source>
        <translation>Could not forget 「%1」. 「%2」 is unchanged.
%3</translation>
    </message>
    <message>
        <source>言葉を忘れられません</source>
        <translation>Can&apos;t forget the word</translation>
    </message>
</context>
<context>
    <name>ui::MainWindow</name>
    <message>
        <source>カナリンカ</source>
        <translation>Kanarinka</translation>
    </message>
    <message>
        <source>スタート</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>ゲームをスタートします</source>
        <translation>Starts a game</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>データを保存します</source>
        <translation>Saves the game&apos;s result</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>履歴データをクリアします</source>
        <translation>Clears the history</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>ヘルプファイルを開きます</source>
        <translation>Opens the help file</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>プログラムを終了します</source>
        <translation>Ends the program</translation>
    </message>
    <message>
        <source>プレイ秒数</source>
        <translation>Seconds</translation>
    </message>
    <message>
        <source>履歴の自動保存を制御します</source>
        <translation>Saves each game to the history by itself when pressed in</translation>
    </message>
    <message>
        <source>&#x3000;相手</source>
        <translation>CPU</translation>
    </message>
    <message>
        <source>&#x3000;自分</source>
        <translation>YOU</translation>
    </message>
    <message>
        <source> 覚えた言葉</source>
        <translation> Learned words</translation>
    </message>
    <message>
        <source>クリックするとしりとりの履歴表示になります</source>
        <translation>Click to show the word chain</translation>
    </message>
    <message>
        <source>しりとり履歴</source>
        <translation>Word chain</translation>
    </message>
    <message>
        <source>クリックすると覚えた言葉の表示になります</source>
        <translation>Click to show the learned words</translation>
    </message>
</context>
<context>
    <name>ui::PlayAids</name>
    <message>
        <source>メニュー</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>設定…</source>
        <translation>Preferences…</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>メニュー：</source>
        <translation>Menu: </translation>
    </message>
    <message>
        <source>
キー：F5 スタート、F1 ヘルプ</source>
        <translation>
Keys: F5 Start, F1 Help</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>スタート</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Preferences</translation>
    </message>
    <message>
        <source>終了！</source>
        <translation>Time!</translation>
    </message>
    <message>
        <source>答えは、かなで書いてください</source>
        <translation>Write your answer in kana</translation>
    </message>
</context>
<context>
    <name>ui::PracticeCalendar</name>
    <message>
        <source>%1（%2）</source>
        <translation>%2 %1</translation>
    </message>
    <message>
        <source>
遊んでいません</source>
        <translation>
No games</translation>
    </message>
    <message>
        <source>
ゲーム %1 回・%2 分 %3 秒</source>
        <translation>
Games: %1 · %2 min %3 s</translation>
    </message>
    <message>
        <source>
%1 文字/秒</source>
        <translation>
%1 kana/s</translation>
    </message>
    <message>
        <source>
正解率 %1%</source>
        <translation>
Accuracy %1%</translation>
    </message>
    <message>
        <source>練習カレンダー（1 日は朝 4 時から）</source>
        <translation>Practice calendar (a day starts at 4:00)</translation>
    </message>
    <message>
        <source>1 日は朝 4 時から次の朝 4 時までです。今日が目標に届いていなくても、昨日までの続きは消えません。目標は「設定」で変えられます。</source>
        <translation>A day runs from 4:00 in the morning to 4:00 the next morning. While today is short of the goal, the run of the days before still stands. Change the goal in Preferences.</translation>
    </message>
    <message>
        <source>なし %1 目標の 2 倍&#x3000;濃い 2 色は目標に届いた日</source>
        <translation>None %1 twice the goal; the two dark shades: goal met</translation>
    </message>
    <message>
        <source>今日 %1 分 ／ 目標 %2 分&lt;br&gt;目標達成 &lt;b&gt;%3&lt;/b&gt; 日連続</source>
        <translation>Today %1 min / goal %2 min&lt;br&gt;Goal met &lt;b&gt;%3&lt;/b&gt; days in a row</translation>
    </message>
</context>
<context>
    <name>ui::PreferencesDialog</name>
    <message>
        <source>次に始める文字を目立たせる</source>
        <translation>Highlight the kana to start with</translation>
    </message>
    <message>
        <source>相手の言葉の最後の文字に色をつけ、小さい字で終わるときは「つぎ：や」のように示します。</source>
        <translation>Colours the last kana of the computer&apos;s word; when it ends in a small kana, shows &quot;next: や&quot; and the like.</translation>
    </message>
    <message>
        <source>相手の言葉にローマ字の読みをつける</source>
        <translation>Show the computer&apos;s word in romaji too</translation>
    </message>
    <message>
        <source>入力欄にそのまま打てるつづりを、相手の言葉の下に小さく出します。</source>
        <translation>Shows a spelling you can type as it is, small, under the computer&apos;s word.</translation>
    </message>
    <message>
        <source>ローマ字入力（打ったローマ字をひらがなにする）</source>
        <translation>Romaji input (typed romaji becomes hiragana)</translation>
    </message>
    <message>
        <source>間違いをメッセージボックスでなく画面に出す</source>
        <translation>Show mistakes in the window, not in a message box</translation>
    </message>
    <message>
        <source>ルールに合わない答えの理由を画面に赤く出し、答えを入力欄に残します。数え方は同じです。</source>
        <translation>Shows in red why an answer broke a rule and leaves it in the answer box. It counts the same.</translation>
    </message>
    <message>
        <source>時間切れを「終了！」で示す</source>
        <translation>Show &quot;Time!&quot; when the time is up</translation>
    </message>
    <message>
        <source>時間切れのあと少しのあいだ Enter キーを受け付けないので、メッセージを読まずに閉じてしまいません。</source>
        <translation>Enter does nothing for a moment after the time is up, so no message is closed unread.</translation>
    </message>
    <message>
        <source>音を鳴らす</source>
        <translation>Play sounds</translation>
    </message>
    <message>
        <source>信号、答え、時間切れで短い音を鳴らします。音の出ないパソコンでは何も起きません。</source>
        <translation>Short sounds for the signal, the answers and the end of time. A computer without sound stays silent.</translation>
    </message>
    <message>
        <source>苦手な文字で終わる言葉を相手が多く出す</source>
        <translation>The computer plays more words ending in your weak kana</translation>
    </message>
    <message>
        <source>答えの記録で苦手と分かった文字で終わる言葉が出やすくなります。どの言葉も出ることはあります。</source>
        <translation>Words ending in the kana the record of answers shows you are weak in come up more often. Every word can still come up.</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Preferences</translation>
    </message>
    <message>
        <source>表示言語</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>ゲームの途中で変えたときは、そのゲームが終わってから切り替わります。</source>
        <translation>Changed during a game, the language switches when the game ends.</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ゲームのあとにふりかえりを開く</source>
        <translation>Open the review after a game</translation>
    </message>
    <message>
        <source>時間切れのメッセージを閉じると、間違えたところと使えた言葉を見せる「ふりかえり」が開きます。</source>
        <translation>Once the end-of-game messages are closed, the review opens, showing your mistakes and the words you could have used.</translation>
    </message>
    <message>
        <source>復習の言葉を相手が多く出す</source>
        <translation>The computer plays more words from your review list</translation>
    </message>
    <message>
        <source>ふりかえりに出た言葉と「覚えたい」言葉が相手の言葉に出やすくなります。どの言葉も出ることはあります。</source>
        <translation>Words from the review and words marked &quot;to learn&quot; come up more often. Every word can still come up.</translation>
    </message>
    <message>
        <source>かな入力（キーのかなをそのまま入れる）</source>
        <translation>Kana input (the kana printed on each key)</translation>
    </message>
    <message>
        <source>日本語入力システムだけ</source>
        <translation>Input method only</translation>
    </message>
    <message>
        <source>JIS（106/109 キー）</source>
        <translation>JIS (106/109 keys)</translation>
    </message>
    <message>
        <source>US（` キーが ー、Shift+` が ろ）</source>
        <translation>US (` is ー, Shift+` is ろ)</translation>
    </message>
    <message>
        <source>入力のしかた</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>かな入力のキーボード</source>
        <translation>Kana keyboard</translation>
    </message>
    <message>
        <source>ゲームの途中でも 半角/全角 キーで、選んだ入力と日本語入力システムを切り替えられます。</source>
        <translation>The Hankaku/Zenkaku key switches between the chosen input and the input method, during a game too.</translation>
    </message>
    <message>
        <source>1 日の練習の目標</source>
        <translation>Daily practice goal</translation>
    </message>
    <message>
        <source> 分</source>
        <translation> min</translation>
    </message>
    <message>
        <source>成績のカレンダーに、今日遊んだ分数と、目標に届いた日が何日続いているかを出します。ゲームは変わりません。</source>
        <translation>The Progress window&apos;s calendar shows the minutes played today and how many days in a row you have met the goal. The game itself doesn&apos;t change.</translation>
    </message>
</context>
<context>
    <name>ui::ProgressAids</name>
    <message>
        <source>成績…</source>
        <translation>Progress…</translation>
    </message>
    <message>
        <source>成績：速さと正解率の移り変わり、打鍵/分、文字の地図（Ctrl+R）</source>
        <translation>Progress: speed and accuracy over time, keys per minute, the kana map (Ctrl+R)</translation>
    </message>
    <message>
        <source>成績</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>回答記録</source>
        <translation>Record of answers</translation>
    </message>
</context>
<context>
    <name>ui::ReviewListView</name>
    <message>
        <source>言葉</source>
        <translation>Word</translation>
    </message>
    <message>
        <source>意味</source>
        <translation>Meaning</translation>
    </message>
    <message>
        <source>入れた日</source>
        <translation>Added</translation>
    </message>
    <message>
        <source>出会った回数</source>
        <translation>Times met</translation>
    </message>
    <message>
        <source>復習の一覧</source>
        <translation>Review list</translation>
    </message>
    <message>
        <source>一覧から外す</source>
        <translation>Remove from the list</translation>
    </message>
    <message>
        <source>まだ言葉はありません。ゲームのあとのふりかえりに出た言葉が入ります。</source>
        <translation>No words yet. The words of the review after a game come here.</translation>
    </message>
    <message>
        <source>次の日</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>今日</source>
        <translation>Today</translation>
    </message>
    <message>
        <source>復習の一覧（ふりかえりに出た言葉と「覚えたい」言葉。忘れかけるころに、また出ます）</source>
        <translation>Review list (words from the review and words marked &quot;to learn&quot;; each comes back when you are about to forget it)</translation>
    </message>
    <message>
        <source>今日の復習 %1 語</source>
        <translation>Due today: %1</translation>
    </message>
    <message>
        <source>ふりかえり…（復習 %1 語）</source>
        <translation>Review… (%1 due)</translation>
    </message>
    <message>
        <source>ふりかえり…</source>
        <translation>Review…</translation>
    </message>
</context>
<context>
    <name>ui::ReviewWindow</name>
    <message>
        <source>ふりかえり - カナリンカ</source>
        <translation>Review - Kanarinka</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>ゲームを終えると、ここで間違えたところと長く考えたところを、使えた言葉といっしょに見られます。</source>
        <translation>After a game, this shows where you went wrong or thought long, with the words you could have used.</translation>
    </message>
    <message>
        <source>このゲームには、間違いも長く考えこんだところもありませんでした。</source>
        <translation>This game had no mistakes and no long pauses.</translation>
    </message>
    <message>
        <source>「%1」のあとに「%2」と答えて、間違いになりました。</source>
        <translation>After 「%1」 you answered 「%2」, which was wrong.</translation>
    </message>
    <message>
        <source>「%1」のあと、「%2」を思いつくまで %3 秒かかりました。</source>
        <translation>After 「%1」 it took you %3 s to think of 「%2」.</translation>
    </message>
    <message>
        <source>「%1」で始まる言葉</source>
        <translation>Words starting with 「%1」</translation>
    </message>
    <message>
        <source>辞書には、使える言葉がありませんでした。</source>
        <translation>The dictionary had no word you could have used.</translation>
    </message>
    <message>
        <source>使えた言葉：</source>
        <translation>Words you could have used: </translation>
    </message>
    <message>
        <source>ここに出た言葉は復習の一覧に入り、「復習の言葉を多めに出す」を選ぶと相手がよく使います。</source>
        <translation>The words shown here join the review list; with the review preference on, the computer plays them more often.</translation>
    </message>
</context>
<context>
    <name>ui::WordCards</name>
    <message>
        <source>復習の一覧にあります</source>
        <translation>On the review list</translation>
    </message>
    <message>
        <source>覚えたい</source>
        <translation>To learn</translation>
    </message>
    <message>
        <source>edict パッケージを入れると意味が出ます（ヘルプの「言葉の意味」）。</source>
        <translation>Install the edict package to see meanings (see &quot;Word meanings&quot; in the help).</translation>
    </message>
    <message>
        <source>意味：EDICT（Electronic Dictionary Research and Development Group、CC BY-SA 3.0）</source>
        <translation>Meanings: EDICT (Electronic Dictionary Research and Development Group, CC BY-SA 3.0)</translation>
    </message>
    <message>
        <source>意味を読み込んでいます…</source>
        <translation>Loading the meanings…</translation>
    </message>
    <message>
        <source>意味は辞書にありません</source>
        <translation>No meaning in the dictionary</translation>
    </message>
</context>
<context>
    <name>ui::WordFinder</name>
    <message>
        <source>（ありません）</source>
        <translation> (not found)</translation>
    </message>
</context>
<context>
    <name>ui::WordsAids</name>
    <message>
        <source>ふりかえり…</source>
        <translation>Review…</translation>
    </message>
    <message>
        <source>ふりかえり：間違えたところと、そのとき使えた言葉（Ctrl+B）</source>
        <translation>Review: your mistakes and the words you could have used (Ctrl+B)</translation>
    </message>
    <message>
        <source>ふりかえり</source>
        <translation>Review</translation>
    </message>
    <message>
        <source>相手の言葉</source>
        <translation>Computer&apos;s word</translation>
    </message>
    <message>
        <source>自分の答え</source>
        <translation>Your answer</translation>
    </message>
    <message>
        <source>復習の一覧</source>
        <translation>Review list</translation>
    </message>
</context>
</TS>
