<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ar">
<context>
    <name>AccessImport</name>
    <message>
        <source>Correct table soaal in Microsoft Access, or make the bank with &quot;mathcontest-bank create&quot;.</source>
        <translation>صحّح الجدول soaal في Microsoft Access، أو أنشئ البنك بالأمر &quot;mathcontest-bank create&quot;.</translation>
    </message>
    <message>
        <source>Table soaal of the Access database has no field %1.</source>
        <translation>ليس في الجدول soaal من قاعدة بيانات Access الحقل %1.</translation>
    </message>
    <message>
        <source>Table soaal of the Access database holds no questions.</source>
        <translation>لا يحوي الجدول soaal من قاعدة بيانات Access أي سؤال.</translation>
    </message>
    <message>
        <source>Row %1 of table soaal has an ID that is not a whole number: &quot;%2&quot;.</source>
        <translation>في الصف %1 من الجدول soaal رقم ID ليس عدداً صحيحاً: &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>(empty)</source>
        <translation>(فارغ)</translation>
    </message>
    <message>
        <source>Question %1 has a used mark YN that is not a boolean: &quot;%2&quot;.</source>
        <translation>علامة الاستعمال YN للسؤال %1 ليست قيمة منطقية (نعم أو لا): &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>%1, question %2</source>
        <translation>%1، السؤال %2</translation>
    </message>
    <message>
        <source>Question number %1 is outside 1 to %2: the %2 questions must be numbered 1 to %2.</source>
        <translation>رقم السؤال %1 خارج المدى من 1 إلى %2: يجب أن تُرقّم الأسئلة الـ%2 من 1 إلى %2.</translation>
    </message>
    <message>
        <source>Question number %1 is used twice.</source>
        <translation>رقم السؤال %1 مستعمل مرتين.</translation>
    </message>
    <message>
        <source>mathcontest: %1 has changed since its questions were imported; imported them again into %2
</source>
        <translation>mathcontest: تغيّر الملف %1 منذ استيراد أسئلته؛ استُوردت من جديد إلى %2
</translation>
    </message>
</context>
<context>
    <name>AccessReader</name>
    <message>
        <source>Open the file in Microsoft Access, repair it (Compact and Repair) and save it without a password, or make the bank with &quot;mathcontest-bank create&quot;.</source>
        <translation>افتح الملف في Microsoft Access وأصلحه (ضغط وإصلاح) واحفظه بلا كلمة مرور، أو أنشئ البنك بالأمر &quot;mathcontest-bank create&quot;.</translation>
    </message>
    <message>
        <source>The Access question bank could not be read: %1.</source>
        <translation>تعذّرت قراءة بنك أسئلة Access: %1.</translation>
    </message>
    <message>
        <source>the Access engine gave no answer</source>
        <translation>لم يُجب محرك Access</translation>
    </message>
    <message>
        <source>The file is not a Microsoft Access database.</source>
        <translation>الملف ليس قاعدة بيانات Microsoft Access.</translation>
    </message>
    <message>
        <source>Give the path of the contest&apos;s Access file (db1.mdb), or make the bank with &quot;mathcontest-bank create&quot;.</source>
        <translation>أعطِ مسار ملف Access الخاص بالمسابقة (db1.mdb)، أو أنشئ البنك بالأمر &quot;mathcontest-bank create&quot;.</translation>
    </message>
    <message>
        <source>The Access database has no table %1.</source>
        <translation>ليس في قاعدة بيانات Access الجدول %1.</translation>
    </message>
    <message>
        <source>The questions must be in a table named %1 with the fields ID, YN, a1, a2, a3 and a4.</source>
        <translation>يجب أن تكون الأسئلة في جدول اسمه %1 فيه الحقول ID وYN وa1 وa2 وa3 وa4.</translation>
    </message>
    <message>
        <source>%1; the file may be encrypted, password-protected or damaged</source>
        <translation>%1؛ قد يكون الملف مشفّراً أو محمياً بكلمة مرور أو تالفاً</translation>
    </message>
    <message>
        <source>the Access engine&apos;s answer was not understood; the file may be damaged</source>
        <translation>لم يُفهم جواب محرك Access؛ قد يكون الملف تالفاً</translation>
    </message>
    <message>
        <source>the columns of table %1 could not be read; the file may be damaged</source>
        <translation>تعذّرت قراءة أعمدة الجدول %1؛ قد يكون الملف تالفاً</translation>
    </message>
    <message>
        <source>row %1 of table %2 could not be read; the file may be damaged</source>
        <translation>تعذّرت قراءة الصف %1 من الجدول %2؛ قد يكون الملف تالفاً</translation>
    </message>
    <message>
        <source>the Access engine stopped part-way through table %1; the file may be damaged</source>
        <translation>توقّف محرك Access قبل أن يُتمّ قراءة الجدول %1؛ قد يكون الملف تالفاً</translation>
    </message>
    <message>
        <source>The Access question bank file</source>
        <translation>ملف بنك أسئلة Access</translation>
    </message>
    <message>
        <source>Check the path of the Access file.</source>
        <translation>تحقّق من مسار ملف Access.</translation>
    </message>
    <message>
        <source>The Access reader %1 could not be started: %2.</source>
        <translation>تعذّر تشغيل قارئ Access ‏%1: %2.</translation>
    </message>
    <message>
        <source>Install the program again: mathcontest-mdb belongs beside it, or in ../libexec/mathcontest/ from it.</source>
        <translation>ثبّت البرنامج من جديد: يجب أن يكون mathcontest-mdb بجانبه، أو في ‎../libexec/mathcontest/‎ نسبةً إلى مجلده.</translation>
    </message>
    <message>
        <source>the Access engine crashed on this file; it is damaged or not a database it can read</source>
        <translation>تعطّل محرك Access أثناء قراءة هذا الملف؛ فالملف تالف أو ليس قاعدة بيانات يستطيع المحرك قراءتها</translation>
    </message>
    <message>
        <source> (the Access engine said: %1)</source>
        <translation> (قال محرك Access: %1)</translation>
    </message>
    <message numerus="yes">
        <source>the Access engine did not finish within %n second(s); the file may be damaged</source>
        <translation>
            <numerusform>لم ينتهِ محرك Access في الوقت المحدد؛ قد يكون الملف تالفاً</numerusform>
            <numerusform>لم ينتهِ محرك Access في غضون ثانية واحدة؛ قد يكون الملف تالفاً</numerusform>
            <numerusform>لم ينتهِ محرك Access في غضون ثانيتين؛ قد يكون الملف تالفاً</numerusform>
            <numerusform>لم ينتهِ محرك Access في غضون %n ثوانٍ؛ قد يكون الملف تالفاً</numerusform>
            <numerusform>لم ينتهِ محرك Access في غضون %n ثانية؛ قد يكون الملف تالفاً</numerusform>
            <numerusform>لم ينتهِ محرك Access في غضون %n ثانية؛ قد يكون الملف تالفاً</numerusform>
        </translation>
    </message>
    <message>
        <source>the Access engine&apos;s answer is larger than this file could hold; the file may be damaged</source>
        <translation>جواب محرك Access أكبر مما يمكن أن يحويه هذا الملف؛ قد يكون الملف تالفاً</translation>
    </message>
</context>
<context>
    <name>BankCheck</name>
    <message>
        <source>%1: the folder does not exist</source>
        <translation>%1: المجلد غير موجود</translation>
    </message>
    <message>
        <source>the quiz window&apos;s background</source>
        <translation>خلفية نافذة المسابقة</translation>
    </message>
    <message>
        <source>the question placeholder picture</source>
        <translation>الصورة التي تظهر مكان السؤال قبل عرضه</translation>
    </message>
    <message>
        <source>the face of the question button</source>
        <translation>صورة زر السؤال</translation>
    </message>
    <message>
        <source>the table of question texts holds a text for question %1, which the bank does not have</source>
        <translation>في جدول نصوص الأسئلة نص للسؤال %1، وليس في البنك سؤال بهذا الرقم</translation>
    </message>
    <message>
        <source>question %1</source>
        <translation>السؤال %1</translation>
    </message>
    <message>
        <source>%1: answer a%2 is empty</source>
        <translation>%1: الإجابة a%2 فارغة</translation>
    </message>
    <message>
        <source>%1: answer a%2 &quot;%3&quot; is the same as an earlier answer of the question</source>
        <translation>%1: الإجابة a%2 &quot;%3&quot; مثل إجابة قبلها في السؤال نفسه</translation>
    </message>
    <message>
        <source>the picture of %1</source>
        <translation>صورة %1</translation>
    </message>
    <message>
        <source>%1 is %2 pixels, larger than the question box (%3): it spreads under the answer buttons</source>
        <translation>مقاس %1 هو %2 بكسل، وهو أكبر من إطار السؤال (%3): ستمتد الصورة تحت أزرار الإجابات</translation>
    </message>
    <message numerus="yes">
        <source>the bank holds %n question(s), fewer than the %1 a contest asks: the contest could never end</source>
        <translation>
            <numerusform>ليس في البنك أي سؤال، وهذا أقل من الـ%1 التي تطرحها المسابقة: لن تنتهي المسابقة أبداً</numerusform>
            <numerusform>في البنك سؤال واحد، وهذا أقل من الـ%1 التي تطرحها المسابقة: لن تنتهي المسابقة أبداً</numerusform>
            <numerusform>في البنك سؤالان، وهذا أقل من الـ%1 التي تطرحها المسابقة: لن تنتهي المسابقة أبداً</numerusform>
            <numerusform>في البنك %n أسئلة، وهذا أقل من الـ%1 التي تطرحها المسابقة: لن تنتهي المسابقة أبداً</numerusform>
            <numerusform>في البنك %n سؤالاً، وهذا أقل من الـ%1 التي تطرحها المسابقة: لن تنتهي المسابقة أبداً</numerusform>
            <numerusform>في البنك %n سؤال، وهذا أقل من الـ%1 التي تطرحها المسابقة: لن تنتهي المسابقة أبداً</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2: %3</source>
        <translation>%1، %2: %3</translation>
    </message>
    <message>
        <source>its text</source>
        <translation>نصه</translation>
    </message>
    <message>
        <source>answer a%1</source>
        <translation>الإجابة a%1</translation>
    </message>
</context>
<context>
    <name>BankCreator</name>
    <message>
        <source>A picture could not be written.</source>
        <translation>تعذّرت كتابة صورة.</translation>
    </message>
    <message>
        <source>Make sure the folder can be written to and the disk is not full.</source>
        <translation>تأكّد أن الكتابة في المجلد ممكنة وأن القرص غير ممتلئ.</translation>
    </message>
    <message>
        <source>the picture could not be written</source>
        <translation>تعذّرت كتابة الصورة</translation>
    </message>
    <message>
        <source>The new bank could not be moved into place.</source>
        <translation>تعذّر نقل البنك الجديد إلى مكانه.</translation>
    </message>
    <message>
        <source>Make sure the folder can be written to, then run the command again.</source>
        <translation>تأكّد أن الكتابة في المجلد ممكنة، ثم نفّذ الأمر من جديد.</translation>
    </message>
    <message>
        <source>The folder already holds a question bank or an img folder.</source>
        <translation>في المجلد بنك أسئلة أو مجلد img من قبل.</translation>
    </message>
    <message>
        <source>Choose an empty folder, or add --force to replace them.</source>
        <translation>اختر مجلداً فارغاً، أو أضف ‎--force‎ لاستبدالهما.</translation>
    </message>
    <message>
        <source>A staging folder could not be made in the output folder.</source>
        <translation>تعذّر إنشاء مجلد مؤقت في مجلد الإخراج.</translation>
    </message>
    <message>
        <source>Make sure the folder can be written to.</source>
        <translation>تأكّد أن الكتابة في المجلد ممكنة.</translation>
    </message>
    <message>
        <source>%1:%2: the picture of question %3 could not be made: %4</source>
        <translation>%1:%2: تعذّر إنشاء صورة السؤال %3: %4</translation>
    </message>
    <message>
        <source>%1, line %2</source>
        <translation>%1، السطر %2</translation>
    </message>
    <message>
        <source>%1:%2: picture &quot;%3&quot;: %4</source>
        <translation>%1:%2: الصورة &quot;%3&quot;: %4</translation>
    </message>
    <message>
        <source>Give the path of a JPEG picture, relative to the question file&apos;s folder or absolute.</source>
        <translation>أعطِ مسار صورة JPEG: إما مساراً يبدأ من مجلد ملف الأسئلة وإما مساراً كاملاً.</translation>
    </message>
    <message>
        <source>A file the command reads is in the img folder it replaces, under a name the new bank writes there, and it would be lost.</source>
        <translation>ملف يقرؤه الأمر موجود في مجلد img الذي يستبدله، باسمٍ يكتبه البنك الجديد هناك، فسيضيع.</translation>
    </message>
    <message>
        <source>Move the file out of the contest folder&apos;s img folder (or rename it), change the question file to name it there, and run the command again.</source>
        <translation>انقل الملف خارج مجلد img في مجلد المسابقة (أو غيّر اسمه)، وعدّل ملف الأسئلة ليشير إليه في مكانه الجديد، ثم نفّذ الأمر من جديد.</translation>
    </message>
    <message>
        <source>the picture pasted into the question&apos;s row</source>
        <translation>الصورة الملصقة في صفّ السؤال</translation>
    </message>
    <message>
        <source>A picture file</source>
        <translation>ملف صورة</translation>
    </message>
    <message>
        <source>Check the picture&apos;s path in the question file.</source>
        <translation>تحقّق من مسار الصورة في ملف الأسئلة.</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1، %2</translation>
    </message>
    <message>
        <source>%1: answers a%2 and a%3 are the same, &quot;%4&quot;, once their numbers are written in %5 digits; a question with two equal answers cannot be answered</source>
        <translation>%1: الإجابتان a%2 وa%3 متساويتان، &quot;%4&quot;، متى كُتبت أعدادهما بالأرقام %5؛ والسؤال ذو الإجابتين المتساويتين لا يمكن الإجابة عنه</translation>
    </message>
    <message>
        <source>Make the two answers different numbers, or make the bank with --digits typed.</source>
        <translation>اجعل الإجابتين عددين مختلفين، أو اصنع البنك بالخيار ‎--digits typed‎.</translation>
    </message>
    <message>
        <source>the bank being replaced could not be read (%1), so the digits it was made with are not known: its numbers are as typed; give --digits to choose</source>
        <translation>تعذّرت قراءة البنك الذي يُستبدل (%1)، فلا تُعرف الأرقام التي صُنع بها: أعداده كما كُتبت؛ أعطِ ‎--digits‎ لتختار</translation>
    </message>
    <message>
        <source>%1, %2: %3</source>
        <translation>%1، %2: %3</translation>
    </message>
    <message>
        <source>the question</source>
        <translation>السؤال</translation>
    </message>
    <message>
        <source>answer a%1</source>
        <translation>الإجابة a%1</translation>
    </message>
</context>
<context>
    <name>BankExport</name>
    <message>
        <source>A file is already there.</source>
        <translation>يوجد ملف بهذا الاسم من قبل.</translation>
    </message>
    <message>
        <source>Choose another name, or add --force to replace it.</source>
        <translation>اختر اسماً آخر، أو أضف ‎--force‎ لاستبداله.</translation>
    </message>
    <message>
        <source>Make sure the folder can be written to and the disk is not full.</source>
        <translation>تأكّد أن الكتابة في المجلد ممكنة وأن القرص غير ممتلئ.</translation>
    </message>
    <message>
        <source>The file would be written over a file of the contest folder.</source>
        <translation>كان الملف سيُكتب فوق ملف من ملفات مجلد المسابقة.</translation>
    </message>
    <message>
        <source>Choose another name for the file, outside the contest folder&apos;s img folder.</source>
        <translation>اختر اسماً آخر للملف، خارج مجلد img في مجلد المسابقة.</translation>
    </message>
    <message>
        <source>The file could not be written: %1.</source>
        <translation>تعذّرت كتابة الملف: %1.</translation>
    </message>
    <message>
        <source>The file could not be written.</source>
        <translation>تعذّرت كتابة الملف.</translation>
    </message>
    <message>
        <source>A folder is already there, where the file&apos;s pictures go.</source>
        <translation>في المكان الذي تُوضع فيه صور الملف مجلدٌ موجود.</translation>
    </message>
    <message>
        <source>Choose another name, or add --force to replace its pictures.</source>
        <translation>اختر اسماً آخر، أو أضف ‎--force‎ لاستبدال صوره.</translation>
    </message>
    <message>
        <source>The folder of the file&apos;s pictures could not be made.</source>
        <translation>تعذّر إنشاء مجلد صور الملف.</translation>
    </message>
    <message>
        <source>Make sure the folder can be written to.</source>
        <translation>تأكّد من أن المجلد قابل للكتابة.</translation>
    </message>
    <message>
        <source>The picture of a question</source>
        <translation>صورة سؤال</translation>
    </message>
    <message>
        <source>Make sure the picture is there (check lists every picture that is missing).</source>
        <translation>تأكّد من وجود الصورة (يسرد الأمر check كل صورة مفقودة).</translation>
    </message>
    <message>
        <source>A picture could not be copied beside the file: %1.</source>
        <translation>تعذّر نسخ صورة بجانب الملف: %1.</translation>
    </message>
</context>
<context>
    <name>BankFile</name>
    <message>
        <source>A question bank file is already there.</source>
        <translation>يوجد ملف بنك أسئلة هنا من قبل.</translation>
    </message>
    <message>
        <source>Choose another place, or remove the old file first.</source>
        <translation>اختر مكاناً آخر، أو احذف الملف القديم أولاً.</translation>
    </message>
    <message>
        <source>question %1: %2</source>
        <translation>السؤال %1: %2</translation>
    </message>
    <message>
        <source>The question bank could not be written: %1.</source>
        <translation>تعذّرت كتابة بنك الأسئلة: %1.</translation>
    </message>
    <message>
        <source>Make sure the folder can be written to and the disk is not full.</source>
        <translation>تأكّد أن الكتابة في المجلد ممكنة وأن القرص غير ممتلئ.</translation>
    </message>
    <message>
        <source>Choose another folder, or add --force to replace it.</source>
        <translation>اختر مجلداً آخر، أو أضف ‎--force‎ لاستبداله.</translation>
    </message>
    <message>
        <source>A new question bank could not be made in the folder.</source>
        <translation>تعذّر إنشاء بنك أسئلة جديد في المجلد.</translation>
    </message>
    <message>
        <source>Make sure the folder exists and can be written to.</source>
        <translation>تأكّد أن المجلد موجود وأن الكتابة فيه ممكنة.</translation>
    </message>
    <message>
        <source>The new question bank could not be moved into place.</source>
        <translation>تعذّر نقل بنك الأسئلة الجديد إلى مكانه.</translation>
    </message>
    <message>
        <source>Make sure the folder can be written to.</source>
        <translation>تأكّد أن الكتابة في المجلد ممكنة.</translation>
    </message>
</context>
<context>
    <name>BankTool</name>
    <message>
        <source>Try &apos;mathcontest-bank --help&apos;.</source>
        <translation>جرّب ‎&apos;mathcontest-bank --help&apos;‎.</translation>
    </message>
    <message>
        <source>%1: unknown option &apos;%2&apos;</source>
        <translation>%1: خيار غير معروف &apos;%2&apos;</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>الخيار %1 يحتاج إلى قيمة</translation>
    </message>
    <message>
        <source>%1: unexpected argument &apos;%2&apos;</source>
        <translation>%1: معامل غير متوقع &apos;%2&apos;</translation>
    </message>
    <message>
        <source>note: %1</source>
        <translation>ملاحظة: %1</translation>
    </message>
    <message>
        <source>problem: %1</source>
        <translation>مشكلة: %1</translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation>تنبيه: %1</translation>
    </message>
    <message>
        <source>import needs FILE.mdb and --out DIR</source>
        <translation>الأمر import يحتاج إلى FILE.mdb و‎--out DIR‎</translation>
    </message>
    <message>
        <source>check needs DIR</source>
        <translation>الأمر check يحتاج إلى DIR</translation>
    </message>
    <message>
        <source>reset needs DIR</source>
        <translation>الأمر reset يحتاج إلى DIR</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>لم يُعطَ أمر</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos;</source>
        <translation>أمر غير معروف &apos;%1&apos;</translation>
    </message>
    <message numerus="yes">
        <source>wrote %n question(s) to %1</source>
        <translation>
            <numerusform>لم يُكتب أي سؤال في %1</numerusform>
            <numerusform>كُتب سؤال واحد في %1</numerusform>
            <numerusform>كُتب سؤالان في %1</numerusform>
            <numerusform>كُتبت %n أسئلة في %1</numerusform>
            <numerusform>كُتب %n سؤالاً في %1</numerusform>
            <numerusform>كُتب %n سؤال في %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>imported %n question(s) to %1</source>
        <translation>
            <numerusform>لم يُستورد أي سؤال إلى %1</numerusform>
            <numerusform>استُورد سؤال واحد إلى %1</numerusform>
            <numerusform>استُورد سؤالان إلى %1</numerusform>
            <numerusform>استُوردت %n أسئلة إلى %1</numerusform>
            <numerusform>استُورد %n سؤالاً إلى %1</numerusform>
            <numerusform>استُورد %n سؤال إلى %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>ready: %n question(s) in %1</source>
        <translation>
            <numerusform>جاهز: لا أسئلة في %1</numerusform>
            <numerusform>جاهز: سؤال واحد في %1</numerusform>
            <numerusform>جاهز: سؤالان في %1</numerusform>
            <numerusform>جاهز: %n أسئلة في %1</numerusform>
            <numerusform>جاهز: %n سؤالاً في %1</numerusform>
            <numerusform>جاهز: %n سؤال في %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>not ready: %n problem(s) in %1</source>
        <translation>
            <numerusform>غير جاهز: لا مشكلات في %1</numerusform>
            <numerusform>غير جاهز: مشكلة واحدة في %1</numerusform>
            <numerusform>غير جاهز: مشكلتان في %1</numerusform>
            <numerusform>غير جاهز: %n مشكلات في %1</numerusform>
            <numerusform>غير جاهز: %n مشكلةً في %1</numerusform>
            <numerusform>غير جاهز: %n مشكلة في %1</numerusform>
        </translation>
    </message>
    <message>
        <source>cleared %1 of %2 in %3</source>
        <translation>مُسحت %1 من أصل %2 في %3</translation>
    </message>
    <message numerus="yes">
        <source>%n used mark(s)</source>
        <translation>
            <numerusform>%n علامة استعمال</numerusform>
            <numerusform>علامة استعمال واحدة</numerusform>
            <numerusform>علامتا استعمال</numerusform>
            <numerusform>%n علامات استعمال</numerusform>
            <numerusform>%n علامةَ استعمال</numerusform>
            <numerusform>%n علامة استعمال</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n question(s)</source>
        <translation>
            <numerusform>%n سؤال</numerusform>
            <numerusform>سؤال واحد</numerusform>
            <numerusform>سؤالين</numerusform>
            <numerusform>%n أسئلة</numerusform>
            <numerusform>%n سؤالاً</numerusform>
            <numerusform>%n سؤال</numerusform>
        </translation>
    </message>
    <message>
        <source>the command stopped on an unexpected error: %1</source>
        <translation>توقّف الأمر بسبب خطأ غير متوقع: %1</translation>
    </message>
    <message>
        <source>note: open the file in a spreadsheet with every column as Text, or it changes answers such as 007, 0.50 or =1+1 (LibreOffice Calc: in the Text Import window, select all the columns and choose the column type Text)</source>
        <translation>ملاحظة: افتح الملف في برنامج الجداول وكل أعمدته من نوع «نص»، وإلا غيّر إجابات مثل 007 و0.50 و=1+1 (في LibreOffice Calc: في نافذة استيراد النص، حدّد كل الأعمدة واختر نوع العمود «نص»)</translation>
    </message>
    <message>
        <source>settings needs DIR</source>
        <translation>الأمر settings يحتاج إلى DIR</translation>
    </message>
    <message>
        <source>completed</source>
        <translation>اكتملت</translation>
    </message>
    <message>
        <source>the bank ran out</source>
        <translation>نفدت أسئلة البنك</translation>
    </message>
    <message>
        <source>ended with the exit label</source>
        <translation>انتهت بزر الخروج</translation>
    </message>
    <message>
        <source>ended for a new contest</source>
        <translation>انتهت لبدء مسابقة جديدة</translation>
    </message>
    <message>
        <source>not ended (the program was stopped)</source>
        <translation>لم تنتهِ (أُوقف البرنامج)</translation>
    </message>
    <message numerus="yes">
        <source>wrote %n answer(s) to %1</source>
        <translation>
            <numerusform>لم تُكتب أي إجابة في %1</numerusform>
            <numerusform>كُتبت إجابة واحدة في %1</numerusform>
            <numerusform>كُتبت إجابتان في %1</numerusform>
            <numerusform>كُتبت %n إجابات في %1</numerusform>
            <numerusform>كُتبت %n إجابةً في %1</numerusform>
            <numerusform>كُتبت %n إجابة في %1</numerusform>
        </translation>
    </message>
    <message>
        <source>Contests:</source>
        <translation>المسابقات:</translation>
    </message>
    <message>
        <source>(no name)</source>
        <translation>(بلا اسم)</translation>
    </message>
    <message>
        <source>Questions, hardest first:</source>
        <translation>الأسئلة، الأصعب أولاً:</translation>
    </message>
    <message numerus="yes">
        <source>question %1: %2% right of %n answer(s)</source>
        <translation>
            <numerusform>السؤال %1: %2% صحيحة من لا إجابات</numerusform>
            <numerusform>السؤال %1: %2% صحيحة من إجابة واحدة</numerusform>
            <numerusform>السؤال %1: %2% صحيحة من إجابتين</numerusform>
            <numerusform>السؤال %1: %2% صحيحة من %n إجابات</numerusform>
            <numerusform>السؤال %1: %2% صحيحة من %n إجابةً</numerusform>
            <numerusform>السؤال %1: %2% صحيحة من %n إجابة</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>; wrong answer chosen most: %1 (%n time(s))</source>
        <translation>
            <numerusform>؛ الإجابة الخاطئة الأكثر اختياراً: %1 (ولا مرة)</numerusform>
            <numerusform>؛ الإجابة الخاطئة الأكثر اختياراً: %1 (مرة واحدة)</numerusform>
            <numerusform>؛ الإجابة الخاطئة الأكثر اختياراً: %1 (مرتين)</numerusform>
            <numerusform>؛ الإجابة الخاطئة الأكثر اختياراً: %1 (%n مرات)</numerusform>
            <numerusform>؛ الإجابة الخاطئة الأكثر اختياراً: %1 (%n مرةً)</numerusform>
            <numerusform>؛ الإجابة الخاطئة الأكثر اختياراً: %1 (%n مرة)</numerusform>
        </translation>
    </message>
    <message>
        <source> (too few answers to tell its difficulty)</source>
        <translation> (الإجابات أقل من أن تدل على صعوبته)</translation>
    </message>
    <message>
        <source>export needs DIR and one of --csv FILE.csv and --xlsx FILE.xlsx</source>
        <translation>يحتاج export إلى DIR وإلى واحد من ‎--csv FILE.csv‎ و‎--xlsx FILE.xlsx‎</translation>
    </message>
    <message numerus="yes">
        <source>wrote %n page(s) to %1</source>
        <translation>
            <numerusform>كُتبت صفر صفحة في %1</numerusform>
            <numerusform>كُتبت صفحة واحدة في %1</numerusform>
            <numerusform>كُتبت صفحتان في %1</numerusform>
            <numerusform>كُتبت %n صفحات في %1</numerusform>
            <numerusform>كُتبت %n صفحةً في %1</numerusform>
            <numerusform>كُتبت %n صفحة في %1</numerusform>
        </translation>
    </message>
    <message>
        <source>results needs DIR, and at most one of --csv FILE.csv and --pdf FILE.pdf</source>
        <translation>يحتاج results إلى DIR، وإلى واحد على الأكثر من ‎--csv FILE.csv‎ و‎--pdf FILE.pdf‎</translation>
    </message>
    <message>
        <source>print needs DIR and --pdf FILE.pdf</source>
        <translation>يحتاج print إلى DIR وإلى ‎--pdf FILE.pdf‎</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 من %2</translation>
    </message>
    <message>
        <source>%1. %2, %3: %4 right, %5</source>
        <translation>%1. %2، %3: %4 صحيحة، %5</translation>
    </message>
    <message>
        <source>create needs --from FILE.csv and --out DIR, and --digits, when given, is western, eastern or typed</source>
        <translation>الأمر create يحتاج إلى ‎--from FILE.csv‎ و‎--out DIR‎، و‎--digits‎، إن أُعطي، هو western أو eastern أو typed</translation>
    </message>
    <message>
        <source>Class play %1, %2:</source>
        <translation>لعب الصف %1، %2:</translation>
    </message>
    <message>
        <source>a bank from a question file (CSV, .xlsx, .ods or .xls)</source>
        <translation>بنك من ملف أسئلة (CSV أو ‎.xlsx‎ أو ‎.ods‎ أو ‎.xls‎)</translation>
    </message>
    <message>
        <source>Makes DIR/db1.sqlite (questions numbered 1..N in file order, none used,
each with its text) and DIR/img/ (one picture per question and the quiz
window&apos;s pictures bak.jpg, soal.jpg, bsoal.jpg) from a question file:
CSV as spreadsheets save it (separated by commas, semicolons or tabs;
UTF-8, UTF-16 or Windows-1256), or a spreadsheet (.xlsx, .ods, or .xls
of Excel 97-2003: the sheet named questions or الأسئلة, else the first,
each cell as the spreadsheet shows it). Its header names the columns,
in English or in Arabic:
  question  السؤال            the question&apos;s text
  a1        الإجابة الصحيحة   the correct answer
  a2..a4    إجابة خاطئة 1..3  the wrong answers
  picture   الصورة            (if wanted) a picture for the question (JPEG,
                              PNG, GIF, BMP or WebP), relative to the
                              file&apos;s folder or absolute; a larger one
                              than 450 x 130 is scaled down; with a text,
                              the two are shown side by side; a picture
                              pasted into a question&apos;s row of a sheet
                              is its picture when this cell is empty
A date, a time or a number shown as a fraction that the spreadsheet made
of what was typed, and two equal answers, are errors naming the cell.
Mathematics is written as in a textbook: 3/4 and (x + 1)/3 (fractions),
2 1/2 and ½ (mixed numbers), x^2 and 2^(n + 1) (powers), sqrt(16 + 9),
√3, root(3)(8) and ∛8 (roots); \/ and \^ are a slash and a caret as
they are. With an Arabic letter an expression reads from the right.
Templates, their columns Text: /usr/share/doc/mathcontest/examples/
questions-template.xlsx and questions-template.csv
--digits western|eastern|typed writes every number of the questions&apos;
pictures and of the answers in one digit set: western 0-9 with 3.5 and
25%, or eastern ٠-٩ with ٣٫٥ and ٢٥٪ (x² becomes x^٢, ½ becomes ١/٢);
typed leaves them as typed. Digits in a word (A4, CO2) or before a
file name&apos;s suffix (2.png) are left as they are. The set is recorded
with the bank and kept when the bank is made again without --digits;
settings shows it. A new bank&apos;s numbers are as typed.
--force replaces a bank and img folder that DIR already holds.
</source>
        <translation>يُنشئ DIR/db1.sqlite (أسئلة مرقّمة من 1 إلى N بترتيب الملف، غير مستعملة،
ولكل سؤال نصه) وDIR/img/ (صورة لكل سؤال وصور نافذة المسابقة
bak.jpg وsoal.jpg وbsoal.jpg) من ملف أسئلة: CSV كما تحفظه برامج
الجداول (مفصول بفواصل أو فواصل منقوطة أو علامات جدولة؛ بترميز UTF-8
أو UTF-16 أو Windows-1256)، أو ملف جداول (‎.xlsx‎ أو ‎.ods‎ أو ‎.xls‎ من
Excel 97-2003: الورقة المسمّاة questions أو الأسئلة، وإلا الأولى، وكل
خلية كما يعرضها برنامج الجداول). يسمّي سطر العناوين الأعمدة بالعربية
أو بالإنجليزية:
  السؤال            question  نص السؤال
  الإجابة الصحيحة   a1        الإجابة الصحيحة
  إجابة خاطئة 1..3  a2..a4    الإجابات الخاطئة
  الصورة            picture   (إن شئت) صورة للسؤال (JPEG أو PNG أو GIF
                              أو BMP أو WebP)، بمسار يبدأ من مجلد الملف
                              أو بمسار كامل؛ وما كان أكبر من 450 × 130
                              يُصغَّر؛ ومع النص تُعرض الصورة بجانبه؛ والصورة
                              الملصقة في صفّ السؤال من الورقة هي صورته
                              إن كانت هذه الخلية فارغة
التاريخ والوقت والعدد المعروض كسراً مما صنعه برنامج الجداول من المكتوب،
والإجابتان المتساويتان، أخطاء تُذكر معها الخلية.
تُكتب الرياضيات كما في الكتاب المدرسي: ‎3/4‎ و‎(x + 1)/3‎ (كسور)،
و‎2 1/2‎ و½ (أعداد كسرية)، و‎x^2‎ و‎2^(n + 1)‎ (قوى)، و‎sqrt(16 + 9)‎
و‎√3‎ و‎root(3)(8)‎ و‎∛8‎ (جذور)؛ و‎\/‎ و‎\^‎ شرطة مائلة وعلامة ^ كما هما.
والتعبير الذي فيه حرف عربي يُقرأ من اليمين.
قالبان جاهزان، أعمدتهما نصية: ‎/usr/share/doc/mathcontest/examples/‎
‎questions-template.xlsx‎ و‎questions-template.csv‎
‎--digits western|eastern|typed‎ يكتب كل عدد في صور الأسئلة وفي الإجابات
بمجموعة أرقام واحدة: western بالأرقام 0-9 مع ‎3.5‎ و‎25%‎، أو eastern
بالأرقام ٠-٩ مع ٣٫٥ و٢٥٪ (‎x²‎ تصير ‎x^٢‎، و½ تصير ١/٢)؛ وtyped يتركها
كما كُتبت. وتبقى كما هي أرقام الكلمة (A4 وCO2) والأرقام التي قبل لاحقة
اسم ملف (‎2.png‎). تُسجَّل المجموعة مع البنك وتبقى عند صنعه من جديد دون
‎--digits‎؛ ويعرضها الأمر settings. أعداد البنك الجديد كما كُتبت.
‎--force‎ يستبدل بنكاً ومجلد img موجودين في DIR.
</translation>
    </message>
    <message>
        <source>a bank from an Access bank</source>
        <translation>بنك من بنك Access</translation>
    </message>
    <message>
        <source>Makes DIR/db1.sqlite from table soaal (ID, YN, a1..a4) of an Access
question bank (.mdb or .accdb), none used. The Access file and the img
folder are not touched. --force replaces a bank DIR already holds.
</source>
        <translation>يُنشئ DIR/db1.sqlite، وكل أسئلته غير مستعملة، من الجدول soaal (ID وYN وa1..a4)
في بنك أسئلة Access ‏(‎.mdb‎ أو ‎.accdb‎). لا يُمسّ ملف Access ولا
مجلد img. ‎--force‎ يستبدل بنكاً موجوداً في DIR.
</translation>
    </message>
    <message>
        <source>a bank&apos;s questions as a file</source>
        <translation>أسئلة بنك في ملف</translation>
    </message>
    <message>
        <source>Writes the bank of contest folder DIR as a question file that create
reads back into the same bank: each question&apos;s text and answers, and
the pictures that were given (not those made from a text), copied into
FILE-pictures/ beside it. --csv writes UTF-8 with a byte-order mark;
--xlsx an Excel workbook with every column as Text, so that 7/8 stays
7/8. --force replaces an existing file and its pictures, never a file
of the contest folder.
</source>
        <translation>يكتب بنك مجلد المسابقة DIR في ملف أسئلة يقرؤه الأمر create فيُنشئ
منه البنك نفسه: نص كل سؤال وإجاباته، والصور التي أُعطيت (لا التي
رُسمت من نص)، منسوخةً إلى FILE-pictures/ بجانبه. ‎--csv‎ يكتب UTF-8
مع علامة ترتيب البايتات؛ و‎--xlsx‎ مصنّف Excel كل أعمدته نصية، فيبقى
‎7/8‎ كما هو. ‎--force‎ يستبدل ملفاً موجوداً وصوره، ولا يستبدل أبداً
ملفاً من ملفات مجلد المسابقة.
</translation>
    </message>
    <message>
        <source>what would spoil a contest</source>
        <translation>ما قد يفسد المسابقة</translation>
    </message>
    <message>
        <source>Lists, one a line, everything that would stop or spoil a contest in
contest folder DIR. Exit status 0 when it is ready, 1 when not.
</source>
        <translation>يسرد، بنداً في كل سطر، كل ما قد يوقف المسابقة أو يفسدها في
مجلد المسابقة DIR. حالة الخروج 0 إذا كان جاهزاً، و1 إن لم يكن.
</translation>
    </message>
    <message>
        <source>clears every used mark</source>
        <translation>يمسح كل علامات الاستعمال</translation>
    </message>
    <message>
        <source>Clears every used mark of DIR&apos;s bank, as the game does at start.
</source>
        <translation>يمسح كل علامات الاستعمال في بنك DIR، كما تفعل اللعبة عند بدئها.
</translation>
    </message>
    <message>
        <source>the contests&apos; settings</source>
        <translation>إعدادات المسابقات</translation>
    </message>
    <message>
        <source>Shows the settings of the contests in DIR (DIR/contest.ini), after
changing those given:
  --length N   questions in a contest, 1 to the bank&apos;s size (25)
  --fixed      questions 1..N in order, the same for every player
               (--random: drawn at random, as by default)
  --names      the player&apos;s name asked at each contest&apos;s start
  --reveal     after a wrong answer, the correct one is marked
  --hold       the verdict stays until Space, Enter or the question
               button, for the class to talk it over
--no-names, --no-reveal and --no-hold switch them off again.
Last, digits=western, eastern or typed: the digits the bank&apos;s numbers
are written in, chosen by create --digits.
</source>
        <translation>يعرض إعدادات المسابقات في DIR (الملف DIR/contest.ini)، بعد تغيير
ما أُعطي منها:
  --length N   عدد أسئلة المسابقة، من 1 إلى عدد أسئلة البنك (25)
  --fixed      الأسئلة من 1 إلى N بالترتيب، نفسها لكل متسابق
               (‎--random‎: تُسحب عشوائياً، كما هو المعتاد)
  --names      يُسأل المتسابق عن اسمه عند بدء كل مسابقة
  --reveal     بعد الإجابة الخاطئة، تُعلَّم الإجابة الصحيحة
  --hold       يبقى الحكم على الإجابة حتى المسافة أو Enter أو زر
               السؤال، ليتناقش فيه الصف
‎--no-names‎ و‎--no-reveal‎ و‎--no-hold‎ تُلغيها من جديد.
وفي الأخير ‎digits=western‎ أو eastern أو typed: الأرقام التي كُتبت بها أعداد
البنك، كما اختارها ‎create --digits‎.
</translation>
    </message>
    <message>
        <source>the contests played, as a list, a CSV file or a PDF report</source>
        <translation>المسابقات التي لُعبت، قائمةً أو ملف CSV أو تقرير PDF</translation>
    </message>
    <message>
        <source>Lists the contests played in contest folder DIR (DIR/results.sqlite): a
line a contest (player, start, right answers of those asked, how it
ended), then a line a question asked, hardest first. --csv writes
one row an answered question instead: contest, player, started,
question, question_text, chosen (a1..a4), chosen_text, correct (1 or
0), seconds; UTF-8 with a byte-order mark. --pdf writes a report of
the contests, a chart of each question&apos;s right answers and the
questions. --force replaces the file.
</source>
        <translation>يسرد المسابقات التي لُعبت في مجلد المسابقة DIR (DIR/results.sqlite): سطراً
لكل مسابقة (اللاعب، والبدء، والإجابات الصحيحة مما طُرح، وكيف انتهت)، ثم
سطراً لكل سؤال طُرح، من الأصعب. ‎--csv‎ يكتب بدلاً من ذلك صفاً لكل سؤال
أُجيب عنه: contest وplayer وstarted وquestion وquestion_text وchosen
(a1..a4) وchosen_text وcorrect (1 أو 0) وseconds؛ بترميز UTF-8 مع علامة
ترتيب البايتات. ‎--pdf‎ يكتب تقريراً بالمسابقات ورسماً لنسبة الإجابات
الصحيحة لكل سؤال والأسئلة. ‎--force‎ يستبدل الملف.
</translation>
    </message>
    <message>
        <source>a worksheet, or its key</source>
        <translation>ورقة عمل، أو مفتاحها</translation>
    </message>
    <message>
        <source>Writes a worksheet of the questions of contest folder DIR as a PDF:
each question&apos;s picture and its four answers labelled أ ب ج د, in an
order shuffled once per question (the same on every print), several
questions a page. --key writes its answer key instead. --force
replaces FILE.pdf.
</source>
        <translation>يكتب ورقة عمل بأسئلة مجلد المسابقة DIR بصيغة PDF: صورة كل سؤال وإجاباته
الأربع معلَّمة بـ أ ب ج د، بترتيب يُخلط مرة واحدة لكل سؤال (هو نفسه في كل
طباعة)، وعدة أسئلة في الصفحة. ‎--key‎ يكتب مفتاح إجابتها بدلاً منها.
‎--force‎ يستبدل FILE.pdf.
</translation>
    </message>
    <message>
        <source>Usage: %1</source>
        <translation>الاستعمال: %1</translation>
    </message>
    <message>
        <source>Usage: mathcontest-bank COMMAND [OPTIONS]

Prepares question banks for mathcontest.

Commands:
</source>
        <translation>الاستعمال: mathcontest-bank COMMAND [OPTIONS]

يُعِدّ بنوك الأسئلة للعبة mathcontest.

الأوامر:
</translation>
    </message>
    <message>
        <source>
Options:
  -h, --help     show this help (after a command, that command&apos;s) and exit
  --version      show the version and exit

Exit status: 0 done, 1 failed, 2 bad usage.
</source>
        <translation>
الخيارات:
  -h, --help     يعرض هذه المساعدة (وبعد أمرٍ، مساعدته) ويخرج
  --version      يعرض الإصدار ويخرج

حالة الخروج: 0 تم، 1 فشل، 2 استعمال خاطئ.
</translation>
    </message>
</context>
<context>
    <name>ClassHost</name>
    <message>
        <source>Class play cannot listen on %1: it is not an address.</source>
        <translation>لا يستطيع لعب الصف الاستماع على %1: فهو ليس عنوانًا.</translation>
    </message>
    <message>
        <source>Give an address of this computer, such as --bind 192.168.1.10, or leave --bind out.</source>
        <translation>أعطِ عنوانًا لهذا الحاسوب، مثل ‎--bind 192.168.1.10‏، أو احذف ‎--bind‏.</translation>
    </message>
</context>
<context>
    <name>ClassPlay</name>
    <message>
        <source>The class list</source>
        <translation>قائمة الصف</translation>
    </message>
    <message>
        <source>Make it a text file of one name a line, or remove it to let pupils type their names.</source>
        <translation>اجعله ملفًا نصيًا فيه اسم في كل سطر، أو احذفه ليكتب التلاميذ أسماءهم.</translation>
    </message>
</context>
<context>
    <name>ClassServer</name>
    <message>
        <source>Class play could not listen on the network: %1.</source>
        <translation>تعذّر على لعب الصف الاستماع على الشبكة: %1.</translation>
    </message>
    <message>
        <source>Choose another port with --port (0 picks a free one), or an address of this computer with --bind.</source>
        <translation>اختر منفذًا آخر بالخيار ‎--port‏ (‏0 يختار منفذًا حرًا)، أو عنوانًا لهذا الحاسوب بالخيار ‎--bind‏.</translation>
    </message>
</context>
<context>
    <name>ContestFolder</name>
    <message>
        <source>start mathcontest without an argument to use your own contest folder</source>
        <translation>شغّل mathcontest بلا معامل لتستعمل مجلد مسابقتك الخاص</translation>
    </message>
    <message>
        <source>The contest folder or file given to the game was not found.</source>
        <translation>لم يُعثر على مجلد المسابقة أو الملف المعطى للعبة.</translation>
    </message>
    <message>
        <source>Check the name, or %1.</source>
        <translation>تحقّق من الاسم، أو %1.</translation>
    </message>
    <message>
        <source>The sample contest that the game copies into your own contest folder was not found.</source>
        <translation>لم يُعثر على المسابقة النموذجية التي تنسخها اللعبة إلى مجلد مسابقتك.</translation>
    </message>
    <message>
        <source>Install the program again, or start it on a contest folder: mathcontest FOLDER.</source>
        <translation>ثبّت البرنامج من جديد، أو شغّله على مجلد مسابقة: mathcontest FOLDER.</translation>
    </message>
    <message>
        <source>Your own contest folder could not be made from the sample contest.</source>
        <translation>تعذّر إنشاء مجلد مسابقتك من المسابقة النموذجية.</translation>
    </message>
    <message>
        <source>Make sure your data folder can be written to and the disk is not full, then start the game again.</source>
        <translation>تأكّد أن الكتابة في مجلد بياناتك ممكنة وأن القرص غير ممتلئ، ثم شغّل اللعبة من جديد.</translation>
    </message>
    <message>
        <source>The contest folder cannot be written to, and the game writes into its bank which questions were asked.</source>
        <translation>لا يمكن الكتابة في مجلد المسابقة، واللعبة تسجّل في بنكه ما طُرح من أسئلة.</translation>
    </message>
    <message>
        <source>Copy the contest folder somewhere you can write to and start the game on the copy (mathcontest FOLDER), or %1.</source>
        <translation>انسخ مجلد المسابقة إلى مكان تستطيع الكتابة فيه وشغّل اللعبة على النسخة (mathcontest FOLDER)، أو %1.</translation>
    </message>
    <message>
        <source>The game cannot start on this file: it is not a contest folder, a question bank (db1.sqlite or an Access .mdb file) or a question file (.csv, .xlsx, .ods or .xls).</source>
        <translation>لا تستطيع اللعبة أن تبدأ بهذا الملف: فهو ليس مجلد مسابقة ولا بنك أسئلة (db1.sqlite أو ملف Access ‏‎.mdb‎) ولا ملف أسئلة (‎.csv‎ أو ‎.xlsx‎ أو ‎.ods‎ أو ‎.xls‎).</translation>
    </message>
    <message>
        <source>Give a contest folder, its db1.sqlite, an Access bank or a question file (CSV or a spreadsheet), or %1.</source>
        <translation>أعطِ مجلد مسابقة، أو ملف db1.sqlite فيه، أو بنك Access، أو ملف أسئلة (CSV أو ملف جداول)، أو %1.</translation>
    </message>
</context>
<context>
    <name>ContestRecord</name>
    <message>
        <source>Make sure the contest folder can be written to and the disk is not full; if the file is damaged, move it away (the contests recorded in it are then no longer listed) and start again.</source>
        <translation>تأكّد أن الكتابة في مجلد المسابقة ممكنة وأن القرص غير ممتلئ؛ وإن كان الملف تالفاً فانقله إلى مكان آخر (فلا تُعرض بعدها المسابقات المسجّلة فيه) وابدأ من جديد.</translation>
    </message>
    <message>
        <source>open the record of the contests</source>
        <translation>فتح سجلّ المسابقات</translation>
    </message>
    <message>
        <source>The record of the contests could not be opened: %1.</source>
        <translation>تعذّر فتح سجلّ المسابقات: %1.</translation>
    </message>
    <message>
        <source>The record of the contests was written by a newer version of the program.</source>
        <translation>كتب سجلَّ المسابقات إصدارٌ أحدث من البرنامج.</translation>
    </message>
    <message>
        <source>Use that version, or move the file away to start a new record.</source>
        <translation>استعمل ذلك الإصدار، أو انقل الملف إلى مكان آخر لتبدأ سجلاً جديداً.</translation>
    </message>
    <message>
        <source>The program could not %1 in the record of the contests: %2.</source>
        <translation>تعذّر على البرنامج %1 في سجلّ المسابقات: %2.</translation>
    </message>
    <message>
        <source>write a new contest</source>
        <translation>تسجيل مسابقة جديدة</translation>
    </message>
    <message>
        <source>write the question drawn</source>
        <translation>تسجيل السؤال المسحوب</translation>
    </message>
    <message>
        <source>write the answer</source>
        <translation>تسجيل الإجابة</translation>
    </message>
    <message>
        <source>write how the contest ended</source>
        <translation>تسجيل كيف انتهت المسابقة</translation>
    </message>
    <message>
        <source>Trigger or view %1 in the record of the contests can undo what the game writes there: answers would be lost without a word.</source>
        <translation>المُشغِّل أو العرض %1 في سجل المسابقات يمكنه أن يُبطل ما تكتبه اللعبة فيه: ستضيع الإجابات دون أي تنبيه.</translation>
    </message>
    <message>
        <source>Remove it from the file (or move the file away to start a new record), then start again.</source>
        <translation>احذفه من الملف (أو انقل الملف إلى مكان آخر لبدء سجل جديد)، ثم ابدأ من جديد.</translation>
    </message>
    <message>
        <source>write the answers</source>
        <translation>تسجيل الإجابات</translation>
    </message>
</context>
<context>
    <name>ContestResults</name>
    <message>
        <source>The record of the contests could not be read: %1.</source>
        <translation>تعذّرت قراءة سجلّ المسابقات: %1.</translation>
    </message>
    <message>
        <source>Check the file, or move it away to start a new record.</source>
        <translation>افحص الملف، أو انقله إلى مكان آخر لتبدأ سجلاً جديداً.</translation>
    </message>
</context>
<context>
    <name>ContestSettings</name>
    <message>
        <source>The contest&apos;s settings cannot be used: %1 must be %2.</source>
        <translation>لا يمكن استعمال إعدادات المسابقة: يجب أن يكون %1 %2.</translation>
    </message>
    <message>
        <source>Correct the setting in the file (or with &quot;mathcontest-bank settings&quot;), then start the contest again.</source>
        <translation>صحّح الإعداد في الملف (أو بالأمر &quot;mathcontest-bank settings&quot;)، ثم ابدأ المسابقة من جديد.</translation>
    </message>
    <message>
        <source>true or false</source>
        <translation>true أو false</translation>
    </message>
    <message>
        <source>The contest&apos;s settings file</source>
        <translation>ملف إعدادات المسابقة</translation>
    </message>
    <message>
        <source>Make it a text file, or remove it to play with the usual settings.</source>
        <translation>اجعله ملفاً نصياً، أو احذفه لتُلعب المسابقة بالإعدادات المعتادة.</translation>
    </message>
    <message>
        <source>random or fixed</source>
        <translation>random أو fixed</translation>
    </message>
    <message>
        <source>Make sure the contest folder can be written to and the disk is not full.</source>
        <translation>تأكّد أن الكتابة في مجلد المسابقة ممكنة وأن القرص غير ممتلئ.</translation>
    </message>
    <message>
        <source>a whole number from 1 to %1, the number of questions in the bank</source>
        <translation>عدداً صحيحاً من 1 إلى %1، وهو عدد الأسئلة في البنك</translation>
    </message>
    <message>
        <source>a whole number from 1 to the number of questions in the bank</source>
        <translation>عدداً صحيحاً من 1 إلى عدد الأسئلة في البنك</translation>
    </message>
    <message>
        <source>The contest&apos;s settings could not be written: %1.</source>
        <translation>تعذّرت كتابة إعدادات المسابقة: %1.</translation>
    </message>
    <message>
        <source>a whole number of seconds from 0 (no time limit) to %1</source>
        <translation>عددًا صحيحًا من الثواني من 0 (بلا حد للوقت) إلى %1</translation>
    </message>
    <message>
        <source>one of length, order, names, reveal, hold, time, speed and podium</source>
        <translation>واحداً من length وorder وnames وreveal وhold وtime وspeed وpodium</translation>
    </message>
</context>
<context>
    <name>ContestStart</name>
    <message>
        <source>The contest folder made from the question file could not be completed.</source>
        <translation>تعذّر إكمال مجلد المسابقة المُنشأ من ملف الأسئلة.</translation>
    </message>
    <message>
        <source>Make sure the disk is not full, then start the game again.</source>
        <translation>تأكّد أن القرص غير ممتلئ، ثم شغّل اللعبة من جديد.</translation>
    </message>
    <message>
        <source>Make sure your data folder can be written to.</source>
        <translation>تأكّد أن الكتابة في مجلد بياناتك ممكنة.</translation>
    </message>
    <message>
        <source>The record of the question file the contest was made from</source>
        <translation>سجلّ ملف الأسئلة الذي أُنشئت منه المسابقة</translation>
    </message>
    <message>
        <source>Remove it, then start the game again: the contest is made anew from the question file.</source>
        <translation>احذفه، ثم ابدأ اللعبة من جديد: ستُنشأ المسابقة من ملف الأسئلة من جديد.</translation>
    </message>
    <message>
        <source>The contest folder could not be made.</source>
        <translation>تعذّر إنشاء مجلد المسابقة.</translation>
    </message>
</context>
<context>
    <name>ContestsModel</name>
    <message>
        <source>Contest</source>
        <translation>المسابقة</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>اللاعب</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>البدء</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>النتيجة</translation>
    </message>
    <message>
        <source>How it ended</source>
        <translation>كيف انتهت</translation>
    </message>
    <message>
        <source>Class play</source>
        <translation>لعب الصف</translation>
    </message>
</context>
<context>
    <name>CounterText</name>
    <message>
        <source>A counter could not be raised: its caption &quot;%1&quot; does not hold a usable number.</source>
        <translation>تعذّرت زيادة عدّاد: عنوانه &quot;%1&quot; لا يحوي عدداً صالحاً.</translation>
    </message>
    <message>
        <source>the counters of the quiz window</source>
        <translation>عدّادات نافذة المسابقة</translation>
    </message>
    <message>
        <source>Start the program again.</source>
        <translation>شغّل البرنامج من جديد.</translation>
    </message>
</context>
<context>
    <name>CsvReader</name>
    <message>
        <source>Correct the question file and run the command again.</source>
        <translation>صحّح ملف الأسئلة ونفّذ الأمر من جديد.</translation>
    </message>
    <message>
        <source>%1, line %2</source>
        <translation>%1، السطر %2</translation>
    </message>
    <message>
        <source>question,a1,a2,a3,a4 and, if wanted, picture (in Arabic: السؤال,الإجابة الصحيحة,إجابة خاطئة 1,إجابة خاطئة 2,إجابة خاطئة 3,الصورة)</source>
        <translation>السؤال,الإجابة الصحيحة,إجابة خاطئة 1,إجابة خاطئة 2,إجابة خاطئة 3 وإن شئت الصورة (أو بالإنجليزية: question,a1,a2,a3,a4 وإن شئت picture)</translation>
    </message>
    <message>
        <source>The question file</source>
        <translation>ملف الأسئلة</translation>
    </message>
    <message>
        <source>Check the path of the question file.</source>
        <translation>تحقّق من مسار ملف الأسئلة.</translation>
    </message>
    <message>
        <source>the file is not UTF-8; it was read as Windows-1256 (Arabic Windows)</source>
        <translation>الملف ليس بترميز UTF-8؛ قُرئ بترميز Windows-1256 (ويندوز العربي)</translation>
    </message>
    <message>
        <source>The CSV reader could not start.</source>
        <translation>تعذّر تشغيل قارئ CSV.</translation>
    </message>
    <message>
        <source>the CSV is malformed (%1)</source>
        <translation>صيغة CSV غير سليمة (%1)</translation>
    </message>
    <message>
        <source>the file is empty; it needs the header %1</source>
        <translation>الملف فارغ؛ يحتاج إلى سطر العناوين %1</translation>
    </message>
    <message>
        <source>unknown column &quot;%1&quot;; the header is %2</source>
        <translation>عمود غير معروف &quot;%1&quot;؛ سطر العناوين هو %2</translation>
    </message>
    <message>
        <source>column &quot;%1&quot; appears twice</source>
        <translation>العمود &quot;%1&quot; مكرّر</translation>
    </message>
    <message>
        <source>the header has no column &quot;%1&quot;</source>
        <translation>ليس في سطر العناوين العمود &quot;%1&quot;</translation>
    </message>
    <message>
        <source>the question has neither text nor a picture</source>
        <translation>ليس للسؤال نص ولا صورة</translation>
    </message>
    <message>
        <source>the file holds no questions, only the header</source>
        <translation>لا يحوي الملف أسئلة، فيه سطر العناوين وحده</translation>
    </message>
    <message>
        <source>a quotation mark stands inside a field that does not begin with one, or a quoted field never ends</source>
        <translation>علامة تنصيص داخل حقل لا يبدأ بها، أو حقل بدأ بعلامة تنصيص ولم تُغلق أبداً</translation>
    </message>
    <message>
        <source>a field is too large</source>
        <translation>حقل أكبر مما يمكن قراءته</translation>
    </message>
    <message>
        <source>not enough memory to read it</source>
        <translation>لا تكفي الذاكرة لقراءته</translation>
    </message>
    <message>
        <source>the file could not be read as CSV</source>
        <translation>تعذّرت قراءة الملف بصيغة CSV</translation>
    </message>
    <message>
        <source>expected %1, found %2</source>
        <translation>المتوقع %1، والموجود %2</translation>
    </message>
    <message numerus="yes">
        <source>%n column(s)</source>
        <translation>
            <numerusform>%n عمود</numerusform>
            <numerusform>عمود واحد</numerusform>
            <numerusform>عمودان</numerusform>
            <numerusform>%n أعمدة</numerusform>
            <numerusform>%n عموداً</numerusform>
            <numerusform>%n عمود</numerusform>
        </translation>
    </message>
    <message>
        <source>the file says it is UTF-16, but this line holds what UTF-16 cannot be; save the file again as UTF-8</source>
        <translation>يقول الملف إنه بترميز UTF-16، لكن في هذا السطر ما لا يكون في UTF-16؛ احفظ الملف من جديد بترميز UTF-8</translation>
    </message>
    <message>
        <source>the file was read as UTF-8; it could also be Windows-1256 (Arabic Windows), where it reads as Arabic. If the questions look wrong, save the file as UTF-8 and make the bank again</source>
        <translation>قُرئ الملف بترميز UTF-8؛ وقد يكون أيضاً بترميز Windows-1256 (ويندوز العربي) فيُقرأ نصاً عربياً. إن بدت الأسئلة خاطئة، فاحفظ الملف بترميز UTF-8 ثم أنشئ البنك من جديد</translation>
    </message>
    <message>
        <source>Correct the question file, save it, and try again.</source>
        <translation>صحّح ملف الأسئلة، واحفظه، ثم حاول من جديد.</translation>
    </message>
    <message>
        <source>answer %1 is empty</source>
        <translation>الإجابة %1 فارغة</translation>
    </message>
</context>
<context>
    <name>Failure</name>
    <message>
        <source>
Where: </source>
        <translation>
المكان: </translation>
    </message>
    <message>
        <source>
What to do: </source>
        <translation>
ما العمل: </translation>
    </message>
</context>
<context>
    <name>FailureReport</name>
    <message>
        <source>
Contest folder: </source>
        <translation>
مجلد المسابقة: </translation>
    </message>
    <message>
        <source>The program stopped on an unexpected error: %1</source>
        <translation>توقّف البرنامج بسبب خطأ غير متوقع: %1</translation>
    </message>
    <message>
        <source>Start the program again; if it happens again, tell the person who prepared the contest.</source>
        <translation>شغّل البرنامج من جديد؛ وإن تكرر ذلك فأخبر من أعدّ المسابقة.</translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>the question placeholder picture</source>
        <translation>الصورة التي تظهر مكان السؤال قبل عرضه</translation>
    </message>
    <message>
        <source>the quiz window&apos;s background</source>
        <translation>خلفية نافذة المسابقة</translation>
    </message>
    <message>
        <source>the face of the question button</source>
        <translation>صورة زر السؤال</translation>
    </message>
    <message>
        <source>the picture of question %1</source>
        <translation>صورة السؤال %1</translation>
    </message>
</context>
<context>
    <name>Game</name>
    <message>
        <source>Shows this help and exits.</source>
        <translation>يعرض هذه المساعدة ويخرج.</translation>
    </message>
    <message>
        <source>Shows the version and exits.</source>
        <translation>يعرض الإصدار ويخرج.</translation>
    </message>
    <message>
        <source>Shows the quiz window full screen, for a projector (F11 switches, Escape leaves).</source>
        <translation>يعرض نافذة المسابقة بملء الشاشة لجهاز العرض (F11 للتبديل، وEscape للخروج منه).</translation>
    </message>
    <message>
        <source>more than one contest folder or file given</source>
        <translation>أُعطي أكثر من مجلد مسابقة أو ملف</translation>
    </message>
    <message>
        <source>Try &apos;mathcontest --help&apos;.</source>
        <translation>جرّب ‎&apos;mathcontest --help&apos;‎.</translation>
    </message>
    <message>
        <source>Asks N questions in a contest (1 to the bank&apos;s size).</source>
        <translation>يطرح N سؤالاً في المسابقة (من 1 إلى عدد أسئلة البنك).</translation>
    </message>
    <message>
        <source>Asks questions 1..N in order, the same for every player.</source>
        <translation>يطرح الأسئلة من 1 إلى N بالترتيب، نفسها لكل متسابق.</translation>
    </message>
    <message>
        <source>Asks the player&apos;s name at each contest&apos;s start.</source>
        <translation>يسأل المتسابق عن اسمه عند بدء كل مسابقة.</translation>
    </message>
    <message>
        <source>After a wrong answer, marks the correct one.</source>
        <translation>بعد الإجابة الخاطئة، يعلّم الإجابة الصحيحة.</translation>
    </message>
    <message>
        <source>Keeps the verdict until Space, Enter or the question button, for the class to talk it over.</source>
        <translation>يُبقي الحكم على الإجابة حتى المسافة أو Enter أو زر السؤال، ليتناقش فيه الصف.</translation>
    </message>
    <message>
        <source>--length needs a whole number, such as --length 10</source>
        <translation>الخيار ⁦--length⁩ يحتاج إلى عدد صحيح، مثل ⁦--length 10⁩</translation>
    </message>
    <message>
        <source>A mathematics contest of 25 questions with an Arabic interface.

The contest folder holds the question bank (db1.sqlite, or db1.mdb from
Access) and its img folder of pictures; the game writes there which
questions were asked. It is chosen at start:
  mathcontest FOLDER          the contest in FOLDER
  mathcontest FILE            the folder of FILE, a db1.sqlite or an Access
                              .mdb bank (imported when no db1.sqlite is there)
  mathcontest QUESTIONS.csv   a contest made from the question file, CSV or
                              a spreadsheet (.xlsx, .ods, .xls), as
                              mathcontest-bank create makes it, kept in
                              $XDG_DATA_HOME/mathcontest/csv/ and made anew
                              when the file changes
  mathcontest                 the program&apos;s own folder when it holds a bank,
                              else the contest opened last, else your own
                              contest folder, $XDG_DATA_HOME/mathcontest/contest
                              (by default ~/.local/share/mathcontest/contest),
                              made from the sample contest at the first start</source>
        <translation>مسابقة رياضيات من خمسة وعشرين سؤالاً بواجهة عربية.

في مجلد المسابقة بنك الأسئلة (db1.sqlite، أو db1.mdb من Access)
ومجلد صوره img؛ وتسجّل اللعبة في هذا المجلد ما طُرح من
أسئلة. يُختار المجلد عند البدء:
  mathcontest FOLDER          المسابقة التي في المجلد FOLDER
  mathcontest FILE            مجلد الملف FILE، وهو db1.sqlite أو بنك Access
                              بامتداد .mdb (يُستورد إن لم يكن بجانبه db1.sqlite)
  mathcontest QUESTIONS.csv   مسابقة تُنشأ من ملف الأسئلة، CSV أو ملف جداول
                              (‎.xlsx‎ أو ‎.ods‎ أو ‎.xls‎)، كما يُنشئها الأمر
                              mathcontest-bank create، تُحفظ في
                              $XDG_DATA_HOME/mathcontest/csv/ ويُعاد إنشاؤها
                              إذا تغيّر الملف
  mathcontest                 مجلد البرنامج نفسه إن كان فيه بنك، وإلا
                              المسابقة التي فُتحت آخر مرة، وإلا مجلد مسابقتك
                              الخاص $XDG_DATA_HOME/mathcontest/contest
                              (افتراضياً: ~/.local/share/mathcontest/contest)،
                              ويُنشأ من المسابقة النموذجية عند أول تشغيل</translation>
    </message>
    <message>
        <source>The contest folder, a bank in it, or a question file (CSV or a spreadsheet).</source>
        <translation>مجلد المسابقة، أو بنك فيه، أو ملف أسئلة (CSV أو ملف جداول).</translation>
    </message>
    <message>
        <source>Starts class play: every pupil answers on a phone or tablet over this network, at the address shown (and printed).</source>
        <translation>يبدأ لعب الصف: يجيب كل تلميذ على هاتف أو جهاز لوحي عبر هذه الشبكة، على العنوان المعروض (والمطبوع).</translation>
    </message>
    <message>
        <source>Class play listens on port N (default %1; 0 picks a free one).</source>
        <translation>يستمع لعب الصف على المنفذ N (الافتراضي %1؛ و0 يختار منفذًا حرًا).</translation>
    </message>
    <message>
        <source>Class play listens on ADDRESS only (default: every address of this computer).</source>
        <translation>يستمع لعب الصف على العنوان ADDRESS وحده (الافتراضي: كل عناوين هذا الحاسوب).</translation>
    </message>
    <message>
        <source>--port needs a port number from 0 to 65535, such as --port 8765</source>
        <translation>يحتاج ‎--port‏ إلى رقم منفذ من 0 إلى 65535، مثل ‎--port 8765‏</translation>
    </message>
    <message>
        <source>--port and --bind are for class play: add --class</source>
        <translation>الخياران ‎--port‏ و‎--bind‏ للعب الصف: أضف ‎--class‏</translation>
    </message>
    <message>
        <source>Class play could not be started from %1: %2.</source>
        <translation>تعذّر تشغيل لعب الصف من %1: %2.</translation>
    </message>
    <message>
        <source>Install the program again: %1 belongs beside it, or in ../libexec/mathcontest/ from it.</source>
        <translation>ثبّت البرنامج من جديد: يجب أن يكون %1 بجانبه، أو في ‎../libexec/mathcontest/‎ نسبةً إلى مجلده.</translation>
    </message>
</context>
<context>
    <name>MathText</name>
    <message>
        <source>the bar | at character %1 is never closed: it is shown as typed; close the absolute value with a second |, or write \| for a bar</source>
        <translation>الخط | عند الحرف %1 لا يُغلق أبدًا: يُعرض كما كُتب؛ أغلق القيمة المطلقة بخط | ثانٍ، أو اكتب \| للخط نفسه</translation>
    </message>
    <message>
        <source>the bracket %1 at character %2 is never closed: it is shown as typed; close it, or remove it</source>
        <translation>القوس %1 عند الحرف %2 لا يُغلق أبدًا: يُعرض كما كُتب؛ أغلقه أو احذفه</translation>
    </message>
    <message>
        <source>the bracket %1 at character %2 closes nothing: it is shown as typed; open it, or remove it</source>
        <translation>القوس %1 عند الحرف %2 لا يُغلق قوسًا مفتوحًا: يُعرض كما كُتب؛ افتح قوسه أو احذفه</translation>
    </message>
    <message>
        <source>^ at character %1 has no exponent after it: it is shown as typed; write the exponent after it (x^2), or \^ for a caret</source>
        <translation>الرمز ^ عند الحرف %1 لا يليه أس: يُعرض كما كُتب؛ اكتب الأس بعده (x^2)، أو اكتب \^ للرمز نفسه</translation>
    </message>
    <message>
        <source>_ at character %1 has no index after it: it is shown as typed; write the index after it (x_1), or \_ for an underscore</source>
        <translation>الرمز _ عند الحرف %1 لا يليه دليل: يُعرض كما كُتب؛ اكتب الدليل بعده (x_1)، أو اكتب \_ للرمز نفسه</translation>
    </message>
    <message>
        <source>the root sign at character %1 has nothing under it: it is shown as typed; write the radicand after it (√3, √(x + 1))</source>
        <translation>علامة الجذر عند الحرف %1 ليس تحتها شيء: تُعرض كما كُتبت؛ اكتب ما تحت الجذر بعدها (√3، √(x + 1))</translation>
    </message>
    <message>
        <source>root(…) at character %1 has no radicand after its index: it is shown as typed; write it in brackets after the index (root(3)(8))</source>
        <translation>root(…) عند الحرف %1 ليس بعد دليله ما تحت الجذر: يُعرض كما كُتب؛ اكتبه بين قوسين بعد الدليل (root(3)(8))</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>OK</source>
        <translation>موافق</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>إلغاء</translation>
    </message>
</context>
<context>
    <name>NewFolder</name>
    <message>
        <source>The output folder is a file, not a folder.</source>
        <translation>مجلد الإخراج ملف وليس مجلداً.</translation>
    </message>
    <message>
        <source>Give the name of a folder (a new one is made) for the output.</source>
        <translation>أعطِ اسم مجلد للإخراج (يُنشأ مجلد جديد).</translation>
    </message>
    <message>
        <source>The output folder could not be made.</source>
        <translation>تعذّر إنشاء مجلد الإخراج.</translation>
    </message>
    <message>
        <source>Make sure the parent folder can be written to.</source>
        <translation>تأكّد أن الكتابة في المجلد الأعلى ممكنة.</translation>
    </message>
</context>
<context>
    <name>PdfPages</name>
    <message>
        <source>The PDF file could not be written.</source>
        <translation>تعذّرت كتابة ملف PDF.</translation>
    </message>
    <message>
        <source>Make sure the folder can be written to and the disk is not full.</source>
        <translation>تأكّد من أن المجلد قابل للكتابة وأن القرص غير ممتلئ.</translation>
    </message>
    <message>
        <source>The PDF file could not be written: %1.</source>
        <translation>تعذّرت كتابة ملف PDF: %1.</translation>
    </message>
</context>
<context>
    <name>Picture</name>
    <message>
        <source>Put a JPEG picture at this path (the bank tool&apos;s check command lists every picture that is missing or damaged), then start the program again.</source>
        <translation>ضع صورة JPEG في هذا المسار (الأمر check في أداة البنوك يسرد كل صورة مفقودة أو تالفة)، ثم شغّل البرنامج من جديد.</translation>
    </message>
    <message>
        <source>Make the picture smaller (a question picture fits in 450 x 130 pixels), or make the bank again with &quot;mathcontest-bank create&quot;, which scales given pictures down.</source>
        <translation>صغّر الصورة (أقصى مقاس لصورة السؤال 450 × 130 بكسل)، أو أنشئ البنك من جديد بالأمر &quot;mathcontest-bank create&quot; الذي يصغّر الصور المعطاة.</translation>
    </message>
    <message>
        <source>A JPEG picture could not be decoded; the file is damaged.</source>
        <translation>تعذّر فك ترميز صورة JPEG؛ الملف تالف.</translation>
    </message>
    <message>
        <source>A picture file</source>
        <translation>ملف صورة</translation>
    </message>
    <message>
        <source>A picture file is not a JPEG picture.</source>
        <translation>ملف الصورة ليس صورة JPEG.</translation>
    </message>
    <message>
        <source>A JPEG picture is cut short; the file is damaged.</source>
        <translation>صورة JPEG مقطوعة؛ الملف تالف.</translation>
    </message>
    <message>
        <source>A picture is too large for the game to show: %1 pixels.</source>
        <translation>الصورة أكبر من أن تعرضها اللعبة: %1 بكسل.</translation>
    </message>
    <message>
        <source>A JPEG picture claims to be %1 pixels, more than any real picture; the file is damaged.</source>
        <translation>تدّعي صورة JPEG أن مقاسها %1 بكسل، وهو أكبر من مقاس أي صورة حقيقية؛ الملف تالف.</translation>
    </message>
    <message>
        <source>A picture file is not a picture the bank tool reads (JPEG, PNG, GIF, BMP or WebP), or it is damaged.</source>
        <translation>ملف الصورة ليس صورة يقرؤها أداة البنك (JPEG أو PNG أو GIF أو BMP أو WebP)، أو أنه تالف.</translation>
    </message>
    <message>
        <source>Save the picture again as PNG or JPEG, then run the command again.</source>
        <translation>احفظ الصورة من جديد بصيغة PNG أو JPEG، ثم نفّذ الأمر مرة أخرى.</translation>
    </message>
    <message>
        <source>A picture claims to be %1 pixels, more than any real picture; the file is damaged.</source>
        <translation>تدّعي صورةٌ أنها %1 بكسل، وهذا أكبر من أي صورة حقيقية؛ الملف تالف.</translation>
    </message>
</context>
<context>
    <name>ProgramLock</name>
    <message>
        <source>A contest is running on this folder (process %1); its bank is not changed under it.</source>
        <translation>تجري مسابقة على هذا المجلد (العملية %1)؛ لا يُغيَّر بنكها وهي تجري.</translation>
    </message>
    <message>
        <source>End the contest with its exit label, then run the command again.</source>
        <translation>أنهِ المسابقة بزر الخروج فيها، ثم نفّذ الأمر من جديد.</translation>
    </message>
    <message>
        <source>Another copy of the contest is already running on this question bank (process %1).</source>
        <translation>نسخة أخرى من المسابقة تعمل على بنك الأسئلة هذا (العملية %1).</translation>
    </message>
    <message>
        <source>Use the contest window that is already open, or close it before starting the program again.</source>
        <translation>استعمل نافذة المسابقة المفتوحة، أو أغلقها قبل تشغيل البرنامج من جديد.</translation>
    </message>
    <message>
        <source>The contest folder cannot be written to, so the lock file could not be made.</source>
        <translation>لا يمكن الكتابة في مجلد المسابقة، فتعذّر إنشاء ملف القفل.</translation>
    </message>
    <message>
        <source>Make the folder writable, or copy the contest folder somewhere you can write to; nothing was changed.</source>
        <translation>اجعل الكتابة في المجلد ممكنة، أو انسخ مجلد المسابقة إلى مكان تستطيع الكتابة فيه؛ لم يتغيّر شيء.</translation>
    </message>
    <message>
        <source>The disk is full, so the lock file could not be made.</source>
        <translation>القرص ممتلئ، فتعذّر إنشاء ملف القفل.</translation>
    </message>
    <message>
        <source>Free some space on the disk, then try again; nothing was changed.</source>
        <translation>أفرغ بعض المساحة على القرص، ثم حاول من جديد؛ لم يتغيّر شيء.</translation>
    </message>
    <message>
        <source>The program could not create its lock file in the contest folder.</source>
        <translation>تعذّر على البرنامج إنشاء ملف القفل في مجلد المسابقة.</translation>
    </message>
    <message>
        <source>Make sure the contest folder can be written to, then try again.</source>
        <translation>تأكّد أن الكتابة في مجلد المسابقة ممكنة، ثم حاول من جديد.</translation>
    </message>
    <message>
        <source>The contest folder is locked by a contest started on another computer, %1.</source>
        <translation>مجلد المسابقة مقفل بمسابقة بدأت على حاسوب آخر، هو %1.</translation>
    </message>
    <message>
        <source>End the contest on that computer; if none runs there any more, remove the lock file, then try again.</source>
        <translation>أنهِ المسابقة على ذلك الحاسوب؛ وإن لم تعد هناك مسابقة تعمل، فاحذف ملف القفل، ثم حاول من جديد.</translation>
    </message>
    <message>
        <source>The contest folder&apos;s lock file is being written, or cannot be read.</source>
        <translation>ملف قفل مجلد المسابقة قيد الكتابة، أو تتعذّر قراءته.</translation>
    </message>
    <message>
        <source>Wait a few seconds and try again; if it stays so, remove the lock file.</source>
        <translation>انتظر بضع ثوانٍ ثم حاول من جديد؛ وإن بقي الأمر كذلك، فاحذف ملف القفل.</translation>
    </message>
</context>
<context>
    <name>QuestionBank</name>
    <message>
        <source>Check the question bank with &quot;mathcontest-bank check&quot; in the program folder, or make it again with &quot;mathcontest-bank create&quot;.</source>
        <translation>افحص بنك الأسئلة بالأمر &quot;mathcontest-bank check&quot; في مجلد البرنامج، أو أنشئه من جديد بالأمر &quot;mathcontest-bank create&quot;.</translation>
    </message>
    <message>
        <source>question %1</source>
        <translation>السؤال %1</translation>
    </message>
    <message>
        <source>The contest folder does not exist.</source>
        <translation>مجلد المسابقة غير موجود.</translation>
    </message>
    <message>
        <source>Check the folder&apos;s name and where it is.</source>
        <translation>تحقّق من اسم المجلد ومكانه.</translation>
    </message>
    <message>
        <source>The question bank file</source>
        <translation>ملف بنك الأسئلة</translation>
    </message>
    <message>
        <source>Put the question bank db1.sqlite (made with &quot;mathcontest-bank create&quot;) in the contest folder.</source>
        <translation>ضع بنك الأسئلة db1.sqlite (المُنشأ بالأمر &quot;mathcontest-bank create&quot;) في مجلد المسابقة.</translation>
    </message>
    <message>
        <source>The question bank file could not be read: %1.</source>
        <translation>تعذّرت قراءة ملف بنك الأسئلة: %1.</translation>
    </message>
    <message>
        <source>Make sure the file can be read and written by the player&apos;s account.</source>
        <translation>تأكّد أن حساب اللاعب يستطيع قراءة الملف والكتابة فيه.</translation>
    </message>
    <message>
        <source>The question bank file is not an SQLite database%1.</source>
        <translation>ملف بنك الأسئلة ليس قاعدة بيانات SQLite‏%1.</translation>
    </message>
    <message>
        <source> (the file is empty)</source>
        <translation> (الملف فارغ)</translation>
    </message>
    <message>
        <source>open the question bank</source>
        <translation>فتح بنك الأسئلة</translation>
    </message>
    <message>
        <source>open table soaal</source>
        <translation>فتح الجدول soaal</translation>
    </message>
    <message>
        <source>The path of the question bank is too long for the database engine: %1 bytes, at most %2.</source>
        <translation>مسار بنك الأسئلة أطول مما يقبله محرك قاعدة البيانات: %1 بايت، والحد الأقصى %2.</translation>
    </message>
    <message>
        <source>Move the contest folder to a folder with a shorter path, then try again.</source>
        <translation>انقل مجلد المسابقة إلى مجلد مساره أقصر، ثم حاول من جديد.</translation>
    </message>
    <message>
        <source>The question bank is locked by another program, so the program could not %1.</source>
        <translation>بنك الأسئلة مقفل من برنامج آخر، فتعذّر على البرنامج %1.</translation>
    </message>
    <message>
        <source>Close any other program that has the question bank open, then start the contest again.</source>
        <translation>أغلق أي برنامج آخر فتح بنك الأسئلة، ثم ابدأ المسابقة من جديد.</translation>
    </message>
    <message>
        <source>The question bank file is damaged, so the program could not %1 (%2).</source>
        <translation>ملف بنك الأسئلة تالف، فتعذّر على البرنامج %1 (%2).</translation>
    </message>
    <message>
        <source>The question bank file cannot be written to, so the program could not %1.</source>
        <translation>لا يمكن الكتابة في ملف بنك الأسئلة، فتعذّر على البرنامج %1.</translation>
    </message>
    <message>
        <source>Make the file (and its folder) writable for the player&apos;s account, or copy the contest folder somewhere you can write to; nothing in the bank was lost.</source>
        <translation>اجعل الكتابة في الملف (ومجلده) ممكنة لحساب اللاعب، أو انسخ مجلد المسابقة إلى مكان تستطيع الكتابة فيه؛ لم يضع شيء من البنك.</translation>
    </message>
    <message>
        <source>The disk is full, so the program could not %1.</source>
        <translation>القرص ممتلئ، فتعذّر على البرنامج %1.</translation>
    </message>
    <message>
        <source>Free some space on the disk, then start the contest again; nothing in the bank was lost.</source>
        <translation>أفرغ بعض المساحة على القرص، ثم ابدأ المسابقة من جديد؛ لم يضع شيء من البنك.</translation>
    </message>
    <message>
        <source>The question bank has no table soaal.</source>
        <translation>ليس في بنك الأسئلة الجدول soaal.</translation>
    </message>
    <message>
        <source>The program could not %1: %2.</source>
        <translation>تعذّر على البرنامج %1: %2.</translation>
    </message>
    <message>
        <source>count the questions</source>
        <translation>عدّ الأسئلة</translation>
    </message>
    <message>
        <source>count the used questions</source>
        <translation>عدّ الأسئلة المستعملة</translation>
    </message>
    <message>
        <source>check the question bank</source>
        <translation>فحص بنك الأسئلة</translation>
    </message>
    <message>
        <source>The question bank file is damaged: %1</source>
        <translation>ملف بنك الأسئلة تالف: %1</translation>
    </message>
    <message>
        <source>Table soaal of the question bank has no field %1.</source>
        <translation>ليس في الجدول soaal من بنك الأسئلة الحقل %1.</translation>
    </message>
    <message>
        <source>The question bank holds no questions (table soaal is empty).</source>
        <translation>لا يحوي بنك الأسئلة أي سؤال (الجدول soaal فارغ).</translation>
    </message>
    <message>
        <source>Add questions with &quot;mathcontest-bank create&quot;.</source>
        <translation>أضف أسئلة بالأمر &quot;mathcontest-bank create&quot;.</translation>
    </message>
    <message>
        <source>The questions must be numbered 1, 2, 3 ... with no gap and no number twice; make the bank again with &quot;mathcontest-bank create&quot;.</source>
        <translation>يجب أن تُرقَّم الأسئلة 1، 2، 3 ... دون نقص ولا تكرار في الأرقام؛ أنشئ البنك من جديد بالأمر &quot;mathcontest-bank create&quot;.</translation>
    </message>
    <message>
        <source>A question number (ID) is not a whole number: %1.</source>
        <translation>رقم سؤال (ID) ليس عدداً صحيحاً: %1.</translation>
    </message>
    <message>
        <source>Question number %1 is used twice.</source>
        <translation>رقم السؤال %1 مستعمل مرتين.</translation>
    </message>
    <message>
        <source>Question number %1 is missing: the %2 questions must be numbered 1 to %2.</source>
        <translation>رقم السؤال %1 مفقود: يجب أن تُرقّم الأسئلة الـ%2 من 1 إلى %2.</translation>
    </message>
    <message>
        <source>The used mark (YN) of question %1 is %2, not 0 or 1.</source>
        <translation>علامة الاستعمال (YN) للسؤال %1 هي %2، لا 0 ولا 1.</translation>
    </message>
    <message>
        <source>clear the used marks</source>
        <translation>مسح علامات الاستعمال</translation>
    </message>
    <message>
        <source>open %1</source>
        <translation>فتح %1</translation>
    </message>
    <message>
        <source>Question number %1 is missing from the question bank.</source>
        <translation>السؤال رقم %1 غير موجود في بنك الأسئلة.</translation>
    </message>
    <message>
        <source>mark %1 as used</source>
        <translation>وضع علامة الاستعمال على %1</translation>
    </message>
    <message>
        <source>read the answers</source>
        <translation>قراءة الإجابات</translation>
    </message>
    <message>
        <source>read which Access file the bank came from</source>
        <translation>قراءة اسم ملف Access الذي استُورد منه البنك</translation>
    </message>
    <message>
        <source>read the questions&apos; texts</source>
        <translation>قراءة نصوص الأسئلة</translation>
    </message>
    <message>
        <source>read the question&apos;s text</source>
        <translation>قراءة نص السؤال</translation>
    </message>
    <message>
        <source>soaal in the question bank is a view, not a table: the game cannot write its used marks there.</source>
        <translation>soaal في بنك الأسئلة عرضٌ (view) لا جدول: لا تستطيع اللعبة أن تكتب فيه علامات الاستعمال.</translation>
    </message>
    <message>
        <source>Trigger %1 of table soaal can undo what the game writes: questions already asked would come again.</source>
        <translation>المشغّل (trigger) %1 في الجدول soaal قد يُلغي ما تكتبه اللعبة: فتعود أسئلة طُرحت من قبل.</translation>
    </message>
    <message>
        <source>read which pictures were given</source>
        <translation>قراءة الصور التي أُعطيت</translation>
    </message>
    <message>
        <source>read the digit set of its numbers</source>
        <translation>قراءة مجموعة الأرقام التي كُتبت بها أعداده</translation>
    </message>
</context>
<context>
    <name>QuestionFile</name>
    <message>
        <source>%1, cell %2</source>
        <translation>%1، الخلية %2</translation>
    </message>
    <message>
        <source>line %1</source>
        <translation>السطر %1</translation>
    </message>
    <message>
        <source>cell %1</source>
        <translation>الخلية %1</translation>
    </message>
    <message>
        <source>the Arabic of this file was lost when it was saved: its first line reads &quot;%1&quot;, the Arabic letters turned into question marks. Open the spreadsheet the file came from and save it again as &quot;CSV UTF-8&quot; (or as .xlsx or .ods)</source>
        <translation>ضاعت عربية هذا الملف حين حُفظ: سطره الأول «%1»، وقد صارت الحروف العربية علامات استفهام. افتح ملف الجداول الذي جاء منه واحفظه من جديد بصيغة «CSV UTF-8» (أو بصيغة ‎.xlsx‎ أو ‎.ods‎)</translation>
    </message>
    <message>
        <source>this file is not a question file: its first line is &quot;%1&quot;; a question file starts with the header %2</source>
        <translation>هذا الملف ليس ملف أسئلة: سطره الأول «%1»؛ ويبدأ ملف الأسئلة بسطر العناوين %2</translation>
    </message>
    <message>
        <source>this sheet is not a sheet of questions: its first row is &quot;%1&quot;; a question sheet starts with the header %2</source>
        <translation>هذه الورقة ليست ورقة أسئلة: صفّها الأول «%1»؛ وتبدأ ورقة الأسئلة بسطر العناوين %2</translation>
    </message>
    <message>
        <source>the Arabic of this question was lost when the file was saved (it reads &quot;%1&quot;). Open the spreadsheet the file came from and save it again as &quot;CSV UTF-8&quot; (or as .xlsx or .ods)</source>
        <translation>ضاعت عربية هذا السؤال حين حُفظ الملف (صار «%1»). افتح ملف الجداول الذي جاء منه واحفظه من جديد بصيغة «CSV UTF-8» (أو بصيغة ‎.xlsx‎ أو ‎.ods‎)</translation>
    </message>
    <message>
        <source>line %1: answer a%2 &quot;%3&quot; looks like a date a spreadsheet made of what was typed; if it was 7/8 or the like, format the column as Text in the spreadsheet, type it again and save the file again</source>
        <translation>السطر %1: الإجابة a%2 «%3» تبدو تاريخاً صنعه برنامج الجداول مما كُتب؛ فإن كانت ‎7/8‎ أو نحوها فاجعل نوع العمود «نص» في برنامج الجداول، واكتبها من جديد، واحفظ الملف مرة أخرى</translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>ولا شيء غيرها</numerusform>
            <numerusform>وواحد آخر</numerusform>
            <numerusform>واثنان آخران</numerusform>
            <numerusform>و%n أخرى</numerusform>
            <numerusform>و%n أخرى</numerusform>
            <numerusform>و%n أخرى</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The question file has %n fault(s); each is to be corrected before a contest is made of it:</source>
        <translation>
            <numerusform>ليس في ملف الأسئلة أي خطأ:</numerusform>
            <numerusform>في ملف الأسئلة خطأ واحد، ويجب تصحيحه قبل إنشاء مسابقة منه:</numerusform>
            <numerusform>في ملف الأسئلة خطآن، ويجب تصحيح كل منهما قبل إنشاء مسابقة منه:</numerusform>
            <numerusform>في ملف الأسئلة %n أخطاء، ويجب تصحيح كل منها قبل إنشاء مسابقة منه:</numerusform>
            <numerusform>في ملف الأسئلة %n خطأً، ويجب تصحيح كل منها قبل إنشاء مسابقة منه:</numerusform>
            <numerusform>في ملف الأسئلة %n خطأ، ويجب تصحيح كل منها قبل إنشاء مسابقة منه:</numerusform>
        </translation>
    </message>
    <message>
        <source>answers %1 and %2 are the same, &quot;%3&quot;; a question with two equal answers cannot be answered. Make them different</source>
        <translation>الإجابتان %1 و%2 متساويتان، «%3»؛ والسؤال الذي فيه إجابتان متساويتان لا يمكن الإجابة عنه. اجعلهما مختلفتين</translation>
    </message>
</context>
<context>
    <name>QuestionListModel</name>
    <message>
        <source>Question as pupils see it</source>
        <translation>السؤال كما يراه التلاميذ</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>الرقم</translation>
    </message>
    <message>
        <source>Answers (✔ correct)</source>
        <translation>الإجابات (✔ الصحيحة)</translation>
    </message>
    <message>
        <source>Problems</source>
        <translation>المشكلات</translation>
    </message>
</context>
<context>
    <name>QuestionPicture</name>
    <message>
        <source>Shorten the question, or give a picture for it.</source>
        <translation>اختصر السؤال، أو أرفق به صورة.</translation>
    </message>
    <message>
        <source>the question is too long for the question picture (%1 pixels, even at the smallest readable size)</source>
        <translation>السؤال أطول من أن تتسع له صورة السؤال (%1 بكسل، حتى بأصغر حجم خط مقروء)</translation>
    </message>
    <message>
        <source>the question is too long to stand beside its picture in the question picture (%1 pixels, even at the smallest readable size)</source>
        <translation>السؤال أطول من أن يقف بجانب صورته في صورة السؤال (%1 بكسل، حتى بأصغر حجم مقروء)</translation>
    </message>
    <message>
        <source>Shorten the question, or put its text into the picture.</source>
        <translation>اختصر السؤال، أو اجعل نصه داخل الصورة.</translation>
    </message>
</context>
<context>
    <name>QuestionResultsModel</name>
    <message>
        <source>Question</source>
        <translation>السؤال</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>النص</translation>
    </message>
    <message>
        <source>Answered</source>
        <translation>مرات الإجابة</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>الصحيحة</translation>
    </message>
    <message>
        <source>Wrong answer chosen most</source>
        <translation>الإجابة الخاطئة الأكثر اختياراً</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>%1 is missing.</source>
        <translation>لم يُعثر على %1.</translation>
    </message>
    <message>
        <source>%1 is not a regular file (it is a %2).</source>
        <translation>مسار %1 ليس ملفاً عادياً (بل هو %2).</translation>
    </message>
    <message>
        <source>folder</source>
        <translation>مجلد</translation>
    </message>
    <message>
        <source>device, pipe or socket</source>
        <translation>جهاز أو أنبوب أو مقبس</translation>
    </message>
    <message>
        <source>%1 could not be read: %2.</source>
        <translation>تعذّرت قراءة %1: %2.</translation>
    </message>
    <message>
        <source>%1 is too large to be read: %2, more than %3.</source>
        <translation>تعذّرت قراءة %1 لكبر الحجم: %2، والحد الأقصى %3.</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 بايت</translation>
    </message>
    <message>
        <source>%1 KiB</source>
        <translation>%1 كيبيبايت</translation>
    </message>
    <message>
        <source>%1 MiB</source>
        <translation>%1 ميبيبايت</translation>
    </message>
</context>
<context>
    <name>ResultsReport</name>
    <message>
        <source>question %1</source>
        <translation>السؤال %1</translation>
    </message>
    <message>
        <source>Results of the contests</source>
        <translation>نتائج المسابقات</translation>
    </message>
    <message>
        <source>The contests</source>
        <translation>المسابقات</translation>
    </message>
    <message>
        <source>No contest has been played in this folder yet.</source>
        <translation>لم تُلعب في هذا المجلد أي مسابقة بعد.</translation>
    </message>
    <message>
        <source>Right answers, hardest question first</source>
        <translation>الإجابات الصحيحة، من السؤال الأصعب</translation>
    </message>
    <message>
        <source>The questions</source>
        <translation>الأسئلة</translation>
    </message>
</context>
<context>
    <name>SpreadsheetReader</name>
    <message>
        <source>Open the file in the spreadsheet program and save it again (as .xlsx, .ods or CSV UTF-8), then run the command again.</source>
        <translation>افتح الملف في برنامج الجداول واحفظه من جديد (بصيغة ‎.xlsx‎ أو ‎.ods‎ أو CSV UTF-8)، ثم نفّذ الأمر مرة أخرى.</translation>
    </message>
    <message>
        <source>The spreadsheet could not be read: %1.</source>
        <translation>تعذّرت قراءة ملف الجداول: %1.</translation>
    </message>
    <message>
        <source>the spreadsheet stored the date %1 in this cell; if you typed %2, format the column as Text first, or type &apos;%2</source>
        <translation>خزّن برنامج الجداول في هذه الخلية التاريخ %1؛ فإن كنت كتبت %2 فاجعل نوع العمود «نص» أولاً، أو اكتب ‎&apos;%2‎</translation>
    </message>
    <message>
        <source>the spreadsheet stored the time %1 in this cell; if you typed %2, format the column as Text first, or type &apos;%2</source>
        <translation>خزّن برنامج الجداول في هذه الخلية الوقت %1؛ فإن كنت كتبت %2 فاجعل نوع العمود «نص» أولاً، أو اكتب ‎&apos;%2‎</translation>
    </message>
    <message>
        <source>the spreadsheet stored a number in this cell and shows it as the fraction %1, which it may have reduced or rounded from what was typed (3 2/6 becomes 3 1/3); format the column as Text first and type the answer again, or type &apos;%1</source>
        <translation>خزّن برنامج الجداول في هذه الخلية عدداً ويعرضه كسراً %1، وقد يكون اختصره أو قرّبه مما كُتب (‎3 2/6‎ يصير ‎3 1/3‎)؛ فاجعل نوع العمود «نص» أولاً واكتب الإجابة من جديد، أو اكتب ‎&apos;%1‎</translation>
    </message>
    <message>
        <source>it is not a whole ZIP container (%1)</source>
        <translation>فهو ليس حاوية ZIP كاملة (%1)</translation>
    </message>
    <message>
        <source>it is not a whole ZIP container</source>
        <translation>فهو ليس حاوية ZIP كاملة</translation>
    </message>
    <message>
        <source>its ZIP directory is damaged</source>
        <translation>ففهرس ZIP فيه تالف</translation>
    </message>
    <message>
        <source>The spreadsheet is protected by a password.</source>
        <translation>ملف الجداول محميّ بكلمة مرور.</translation>
    </message>
    <message>
        <source>Save it again without a password, then run the command again.</source>
        <translation>احفظه من جديد بلا كلمة مرور، ثم نفّذ الأمر مرة أخرى.</translation>
    </message>
    <message>
        <source>its parts would take more than %1 MB unpacked</source>
        <translation>فأجزاؤه تشغل بعد فكّها أكثر من %1 ميغابايت</translation>
    </message>
    <message>
        <source>it is not an Excel workbook (it has no xl/workbook.xml)</source>
        <translation>فهو ليس مصنّف Excel (ليس فيه xl/workbook.xml)</translation>
    </message>
    <message>
        <source>it has no sheet</source>
        <translation>فليس فيه ورقة</translation>
    </message>
    <message>
        <source>its sheet &quot;%1&quot; is missing</source>
        <translation>فورقته «%1» مفقودة</translation>
    </message>
    <message>
        <source>it is not an OpenDocument spreadsheet (it has no content.xml)</source>
        <translation>فهو ليس ملف جداول OpenDocument (ليس فيه content.xml)</translation>
    </message>
    <message>
        <source>it is not an Excel 97-2003 workbook that can be read</source>
        <translation>فهو ليس مصنّف Excel 97-2003 يمكن قراءته</translation>
    </message>
    <message>
        <source>its sheet could not be read</source>
        <translation>فتعذّرت قراءة ورقته</translation>
    </message>
    <message>
        <source>the spreadsheet stored a date in this cell, &quot;%1&quot;, which is not a date it can show; format the column as Text first and type the answer again</source>
        <translation>خزّن برنامج الجداول في هذه الخلية تاريخاً «%1» لا يستطيع عرضه؛ فاجعل نوع العمود «نص» أولاً واكتب الإجابة من جديد</translation>
    </message>
    <message>
        <source>the spreadsheet stored the number %1 in this cell and shows it as the percentage %2, which may not be what was typed (25% is stored as 0.25 and may be shown as 25.00%); if you typed %2, format the column as Text first, or type &apos;%2</source>
        <translation>خزّن برنامج الجداول في هذه الخلية العدد %1 ويعرضه نسبةً مئوية %2، وقد لا يكون هذا ما كُتب (‎25%‎ تُخزَّن ‎0.25‎ وقد تُعرض ‎25.00%‎)؛ فإن كنت كتبت %2 فاجعل نوع العمود «نص» أولاً، أو اكتب ‎&apos;%2‎</translation>
    </message>
    <message>
        <source>the spreadsheet stored the number %1 in this cell but shows %2; format the column as Text first and type the answer as it should show, or type &apos;%2</source>
        <translation>خزّن برنامج الجداول في هذه الخلية العدد %1 لكنه يعرض %2؛ فاجعل نوع العمود «نص» أولاً واكتب الإجابة كما يجب أن تظهر، أو اكتب ‎&apos;%2‎</translation>
    </message>
    <message>
        <source>the spreadsheet stored the number %1 in this cell and shows it in the number format &quot;%2&quot;, which the bank tool cannot show as the spreadsheet does; format the column as Text first and type the answer as it should show</source>
        <translation>خزّن برنامج الجداول في هذه الخلية العدد %1 ويعرضه بتنسيق الأعداد «%2»، ولا تستطيع أداة البنك عرضه كما يعرضه البرنامج؛ فاجعل نوع العمود «نص» أولاً واكتب الإجابة كما يجب أن تظهر</translation>
    </message>
    <message>
        <source>the spreadsheet stored the number %1 in this cell, and its number format shows nothing for it; format the column as Text first and type the answer as it should show</source>
        <translation>خزّن برنامج الجداول في هذه الخلية العدد %1، وتنسيق الأعداد فيها لا يعرض له شيئاً؛ فاجعل نوع العمود «نص» أولاً واكتب الإجابة كما يجب أن تظهر</translation>
    </message>
    <message>
        <source>this cell holds a formula without a stored value; open the file in the spreadsheet program and save it again, or type the value in place of the formula</source>
        <translation>في هذه الخلية صيغة بلا قيمة محفوظة؛ فافتح الملف في برنامج الجداول واحفظه من جديد، أو اكتب القيمة مكان الصيغة</translation>
    </message>
    <message>
        <source>this cell holds &quot;%1&quot; where the spreadsheet keeps a number or a text of its own; the file is damaged: open it in the spreadsheet program and save it again</source>
        <translation>في هذه الخلية «%1» حيث يحفظ برنامج الجداول عدداً أو نصاً من نصوصه؛ فالملف تالف: افتحه في برنامج الجداول واحفظه من جديد</translation>
    </message>
    <message>
        <source>the sheet has something in row %1, past the %2 rows the bank tool reads; put the questions in fewer rows, or split them into several files</source>
        <translation>في الورقة شيء في الصف %1، بعد الصفوف الـ%2 التي تقرؤها أداة البنك؛ فضع الأسئلة في صفوف أقل، أو وزّعها على عدة ملفات</translation>
    </message>
    <message>
        <source>this cell is past column %1, the last of the %2 columns the bank tool reads; move the questions&apos; columns to the start of the sheet</source>
        <translation>هذه الخلية بعد العمود %1، آخر الأعمدة الـ%2 التي تقرؤها أداة البنك؛ فانقل أعمدة الأسئلة إلى أول الورقة</translation>
    </message>
    <message>
        <source>this cell holds more than %1 characters, more than a spreadsheet&apos;s cell holds</source>
        <translation>في هذه الخلية أكثر من %1 حرفاً، وهذا أكثر مما تحمله خلية في برنامج الجداول</translation>
    </message>
    <message>
        <source>its rows are out of order (row %1 after row %2)</source>
        <translation>فصفوفه على غير ترتيبها (الصف %1 بعد الصف %2)</translation>
    </message>
    <message>
        <source>the sheet holds more than %1 cells by this one, more than the bank tool reads; split the questions into several files</source>
        <translation>في الورقة عند هذه الخلية أكثر من %1 خلية، وهذا أكثر مما تقرؤه أداة البنك؛ فوزّع الأسئلة على عدة ملفات</translation>
    </message>
    <message>
        <source>its part %1 holds a text or a tag longer than a spreadsheet program writes</source>
        <translation>فجزؤه %1 فيه نص أو وسم أطول مما يكتبه برنامج جداول</translation>
    </message>
    <message>
        <source>its part %1 is damaged (%2)</source>
        <translation>فجزؤه %1 تالف (%2)</translation>
    </message>
    <message>
        <source>its part %1 holds more entries than a spreadsheet program writes (more than %2)</source>
        <translation>فجزؤه %1 فيه مدخلات أكثر مما يكتبه برنامج جداول (أكثر من %2)</translation>
    </message>
    <message>
        <source>its part %1 is damaged</source>
        <translation>فجزؤه %1 تالف</translation>
    </message>
    <message>
        <source>its text number %1 is longer than %2 characters, more than a spreadsheet&apos;s cell holds</source>
        <translation>فنصّه رقم %1 أطول من %2 حرفاً، وهذا أكثر مما تحمله خلية في برنامج الجداول</translation>
    </message>
    <message>
        <source>it is written in the code page %1, which the bank tool cannot read</source>
        <translation>فهو مكتوب بصفحة الترميز %1، ولا تستطيع أداة البنك قراءتها</translation>
    </message>
</context>
<context>
    <name>Teacher</name>
    <message>
        <source>The teacher&apos;s window of the mathematics contest: open a question file, an Access bank or a contest folder, see every question as pupils will, shape the contest, start it, read its results and print a worksheet.</source>
        <translation>لوحة المعلم لمسابقة الرياضيات: افتح ملف أسئلة أو بنك Access أو مجلد مسابقة، وراجع كل سؤال كما سيراه التلاميذ، وشكّل المسابقة، وابدأها، واقرأ نتائجها، واطبع ورقة عمل.</translation>
    </message>
    <message>
        <source>A question file (CSV, .xlsx, .ods, .xls), an Access bank or a contest folder.</source>
        <translation>ملف أسئلة (CSV أو ‎.xlsx‎ أو ‎.ods‎ أو ‎.xls‎)، أو بنك Access، أو مجلد مسابقة.</translation>
    </message>
    <message>
        <source>Shows this help and exits.</source>
        <translation>يعرض هذه المساعدة ويخرج.</translation>
    </message>
    <message>
        <source>Shows the version and exits.</source>
        <translation>يعرض الإصدار ويخرج.</translation>
    </message>
    <message>
        <source>give at most one file or folder</source>
        <translation>أعطِ ملفاً واحداً أو مجلداً واحداً على الأكثر</translation>
    </message>
    <message>
        <source>Try &apos;mathcontest-teacher --help&apos;.</source>
        <translation>جرّب ‎&apos;mathcontest-teacher --help&apos;‎.</translation>
    </message>
</context>
<context>
    <name>TeacherWindow</name>
    <message>
        <source>Worksheet</source>
        <translation>ورقة عمل</translation>
    </message>
    <message>
        <source>worksheet.pdf</source>
        <translation>ورقة-عمل.pdf</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Answer key</source>
        <translation>مفتاح الإجابة</translation>
    </message>
    <message>
        <source>answer-key.pdf</source>
        <translation>مفتاح-الإجابة.pdf</translation>
    </message>
    <message>
        <source>Results as CSV</source>
        <translation>النتائج بصيغة CSV</translation>
    </message>
    <message>
        <source>results.csv</source>
        <translation>النتائج.csv</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>Results as a PDF report</source>
        <translation>النتائج تقريراً بصيغة PDF</translation>
    </message>
    <message>
        <source>results.pdf</source>
        <translation>النتائج.pdf</translation>
    </message>
    <message>
        <source>The question file changed on disk; the contest was made again.</source>
        <translation>تغيّر ملف الأسئلة على القرص؛ فأُنشئت المسابقة من جديد.</translation>
    </message>
    <message>
        <source>Contest folder: %1</source>
        <translation>مجلد المسابقة: %1</translation>
    </message>
    <message>
        <source>Question file: %1
Its contest folder: %2</source>
        <translation>ملف الأسئلة: %1
مجلد مسابقته: %2</translation>
    </message>
    <message>
        <source>Mathematics Contest — Teacher</source>
        <translation>لوحة المعلم — مسابقة رياضيات</translation>
    </message>
    <message>
        <source>%1 — Mathematics Contest — Teacher</source>
        <translation>%1 — لوحة المعلم — مسابقة رياضيات</translation>
    </message>
    <message>
        <source>As in %1.</source>
        <translation>كما في %1.</translation>
    </message>
    <message>
        <source>The contest plays as designed: no settings are saved in its folder.</source>
        <translation>تُلعب المسابقة كما صُمّمت: لا إعدادات محفوظة في مجلدها.</translation>
    </message>
    <message>
        <source>Saved in %1.</source>
        <translation>حُفظت في %1.</translation>
    </message>
    <message numerus="yes">
        <source>Wrote %n page(s) to %1.</source>
        <translation>
            <numerusform>كُتبت صفر صفحة في %1.</numerusform>
            <numerusform>كُتبت صفحة واحدة في %1.</numerusform>
            <numerusform>كُتبت صفحتان في %1.</numerusform>
            <numerusform>كُتبت %n صفحات في %1.</numerusform>
            <numerusform>كُتبت %n صفحةً في %1.</numerusform>
            <numerusform>كُتبت %n صفحة في %1.</numerusform>
        </translation>
    </message>
    <message>
        <source>Wrote the results to %1.</source>
        <translation>كُتبت النتائج في %1.</translation>
    </message>
    <message>
        <source>Open a contest</source>
        <translation>افتح مسابقة</translation>
    </message>
    <message>
        <source>Question files and banks (*.csv *.xlsx *.ods *.xls *.mdb *.accdb db1.sqlite);;All files (*)</source>
        <translation>ملفات الأسئلة والبنوك (*.csv *.xlsx *.ods *.xls *.mdb *.accdb db1.sqlite);;كل الملفات (*)</translation>
    </message>
    <message>
        <source>The contest open</source>
        <translation>المسابقة المفتوحة</translation>
    </message>
    <message>
        <source>Open a question file (CSV, .xlsx, .ods), an Access bank or a contest folder: File, Open, or drop it here.</source>
        <translation>افتح ملف أسئلة (CSV أو ‎.xlsx‎ أو ‎.ods‎) أو بنك Access أو مجلد مسابقة: «ملف، فتح»، أو أفلته هنا.</translation>
    </message>
    <message>
        <source>Questions, settings and results</source>
        <translation>الأسئلة والإعدادات والنتائج</translation>
    </message>
    <message>
        <source>&amp;Questions</source>
        <translation>&amp;الأسئلة</translation>
    </message>
    <message>
        <source>Problems of the whole bank</source>
        <translation>مشكلات البنك كله</translation>
    </message>
    <message>
        <source>The questions as pupils see them</source>
        <translation>الأسئلة كما يراها التلاميذ</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;الإعدادات</translation>
    </message>
    <message>
        <source>&amp;Questions in a contest:</source>
        <translation>&amp;عدد أسئلة المسابقة:</translation>
    </message>
    <message>
        <source>Questions in a contest</source>
        <translation>عدد أسئلة المسابقة</translation>
    </message>
    <message>
        <source>as designed (25, or the whole of a smaller bank)</source>
        <translation>كما صُمّمت (25، أو البنك كله إن كان أصغر)</translation>
    </message>
    <message>
        <source>&amp;Order:</source>
        <translation>&amp;الترتيب:</translation>
    </message>
    <message>
        <source>Order of the questions</source>
        <translation>ترتيب الأسئلة</translation>
    </message>
    <message>
        <source>Random, a new draw for each player</source>
        <translation>عشوائي، سحب جديد لكل لاعب</translation>
    </message>
    <message>
        <source>Fixed: questions 1 to N, the same for every player</source>
        <translation>ثابت: الأسئلة من 1 إلى N، هي نفسها لكل لاعب</translation>
    </message>
    <message>
        <source>Ask each player&apos;s &amp;name</source>
        <translation>&amp;اسأل كل لاعب عن اسمه</translation>
    </message>
    <message>
        <source>After a wrong answer, &amp;mark the correct one</source>
        <translation>&amp;بعد الإجابة الخاطئة، علّم الإجابة الصحيحة</translation>
    </message>
    <message>
        <source>&amp;Hold the verdict until the player goes on</source>
        <translation>&amp;ثبّت الحكم حتى يتابع اللاعب</translation>
    </message>
    <message>
        <source>Sa&amp;ve the settings</source>
        <translation>&amp;احفظ الإعدادات</translation>
    </message>
    <message>
        <source>Whether the settings are saved</source>
        <translation>هل الإعدادات محفوظة</translation>
    </message>
    <message>
        <source>&amp;Results</source>
        <translation>&amp;النتائج</translation>
    </message>
    <message>
        <source>The contests played</source>
        <translation>المسابقات التي لُعبت</translation>
    </message>
    <message>
        <source>The questions, hardest first</source>
        <translation>الأسئلة، من الأصعب</translation>
    </message>
    <message>
        <source>Right answers a question, hardest first</source>
        <translation>الإجابات الصحيحة لكل سؤال، من الأصعب</translation>
    </message>
    <message>
        <source>Chart of right answers</source>
        <translation>رسم الإجابات الصحيحة</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;ملف</translation>
    </message>
    <message>
        <source>Open &amp;recent</source>
        <translation>&amp;الملفات الأخيرة</translation>
    </message>
    <message>
        <source>&amp;Contest</source>
        <translation>&amp;المسابقة</translation>
    </message>
    <message>
        <source>R&amp;esults</source>
        <translation>&amp;النتائج</translation>
    </message>
    <message>
        <source>Main tools</source>
        <translation>الأدوات الرئيسية</translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation>&amp;افتح…</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Open in the &amp;spreadsheet</source>
        <translation>&amp;افتح في برنامج الجداول</translation>
    </message>
    <message>
        <source>Ctrl+E</source>
        <translation>Ctrl+E</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;اخرج</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation>Ctrl+Q</translation>
    </message>
    <message>
        <source>&amp;Start the contest</source>
        <translation>&amp;ابدأ المسابقة</translation>
    </message>
    <message>
        <source>F5</source>
        <translation>F5</translation>
    </message>
    <message>
        <source>Start &amp;full screen</source>
        <translation>&amp;ابدأ بملء الشاشة</translation>
    </message>
    <message>
        <source>F6</source>
        <translation>F6</translation>
    </message>
    <message>
        <source>&amp;Worksheet as PDF…</source>
        <translation>&amp;ورقة عمل بصيغة PDF…</translation>
    </message>
    <message>
        <source>Ctrl+P</source>
        <translation>Ctrl+P</translation>
    </message>
    <message>
        <source>Answer &amp;key as PDF…</source>
        <translation>&amp;مفتاح الإجابة بصيغة PDF…</translation>
    </message>
    <message>
        <source>Results as &amp;CSV…</source>
        <translation>&amp;النتائج بصيغة CSV…</translation>
    </message>
    <message>
        <source>Results as &amp;PDF report…</source>
        <translation>&amp;النتائج تقريراً بصيغة PDF…</translation>
    </message>
    <message>
        <source>No program could open %1: this computer has none for its type. Install a spreadsheet program such as LibreOffice Calc, or open the file from the one you use.</source>
        <translation>لم يستطع أي برنامج فتح %1: ليس على هذا الحاسوب برنامج لنوعه. ثبّت برنامج جداول مثل LibreOffice Calc، أو افتح الملف من البرنامج الذي تستعمله.</translation>
    </message>
    <message>
        <source>The question file on disk could not be made into a contest (its fault is shown above). The game would play the last version of it that could be made. Start it all the same?</source>
        <translation>تعذّر إنشاء مسابقة من ملف الأسئلة الذي على القرص (خطؤه معروض في الأعلى). ستلعب اللعبة آخر نسخة منه أمكن إنشاؤها. أتبدأ اللعبة مع ذلك؟</translation>
    </message>
    <message>
        <source>The game could not be started from %1. Reinstall mathcontest, or start the game from the menu.</source>
        <translation>تعذّر تشغيل اللعبة من %1. أعد تثبيت mathcontest، أو شغّل اللعبة من القائمة.</translation>
    </message>
    <message>
        <source>The question file changed on disk, and could not be made into a contest: see its fault above.</source>
        <translation>تغيّر ملف الأسئلة على القرص، وتعذّر إنشاء مسابقة منه: انظر خطأه في الأعلى.</translation>
    </message>
    <message>
        <source>Opening %1…</source>
        <translation>يُفتح %1…</translation>
    </message>
    <message>
        <source>&amp;Class play</source>
        <translation>&amp;لعب الصف</translation>
    </message>
    <message>
        <source>Every pupil answers on a phone or tablet over this network</source>
        <translation>يجيب كل تلميذ على هاتف أو جهاز لوحي عبر هذه الشبكة</translation>
    </message>
    <message>
        <source>F7</source>
        <translation>F7</translation>
    </message>
</context>
<context>
    <name>Worksheet</name>
    <message>
        <source>Answer key</source>
        <translation>مفتاح الإجابة</translation>
    </message>
    <message>
        <source>Worksheet</source>
        <translation>ورقة عمل</translation>
    </message>
    <message>
        <source>Name: ....................................    Class: ............</source>
        <translation>الاسم: ....................................    الصف: ............</translation>
    </message>
    <message>
        <source>the picture of question %1</source>
        <translation>صورة السؤال %1</translation>
    </message>
</context>
</TS>
