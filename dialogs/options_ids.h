#pragma once
// Templates and controls of the options dialog; shared by options.rc and the code. A control's
// number tells its page: 3000 + 100 * page + n, page 0 being the frame.

#define QV_OPTIONS_DIALOG 2003
#define QV_INPUT_DIALOG 2004
// Page p (1 to 13) is the template QV_OPTIONS_PAGE + p - 1.
#define QV_OPTIONS_PAGE 2011
#define QV_OPTIONS_PAGES 13

#define QV_INPUT_PROMPT 2301
#define QV_INPUT_TEXT 2302
#define QV_INPUT_CANCEL 2303

#define QV_OPTIONS_FIRST_ID 3000
#define QV_OPTIONS_PAGE_IDS 100

// The frame.
#define lstOptions 3001
#define picСообщение 3002
#define lblНастройка 3003
#define lblИнформация 3004
#define cmdOK IDOK
#define cmdОтмена 3005
#define cmdApply 3006
#define cmdHelp 3007
#define QV_OPTIONS_PAGE_AREA 3008

// 1 Авто-отступ
#define chkАвтоОтступ 3101
#define OptАвтоматическая 3102
#define OptПоReturn 3103
#define chkШиринаОтступа 3104
#define txtШиринаОтступа 3105
#define lblПробель 3106

// 2 Авто-вставка
#define chkАвтоВставка 3201
#define lblПриReturn 3202
#define chkВставкаThen 3203
#define chkВставкаКонечныхКонструкторов 3204
#define chkВставкаЗнак 3205
#define lblПриДобавленииПроцедуры 3206
#define chkВставкаПроизвольногоТекста 3207
#define txtШаблонТекста 3208

// 3 Авто-текст
#define chkАвтоТекст 3301
#define lstЗамена 3302
#define imgДобавить 3303
#define imgИзменить 3304
#define imgУдалить 3305
#define chkДоступно 3306
#define txtКод 3307

// 4 Авто-замена
#define chkАвтоЗамена 3401
#define lblZamena 3402
#define chkИнкрементИДекремент 3403
#define chkСоставноеПрисваивание 3404
#define chkИнициализацийПеременных 3405

// 5 Нумерация
#define chkНумерация 3501
#define lblНачатьС 3502
#define txtНумерацияНачатьС 3503
#define lblШаг 3504
#define txtНумерацияШаг 3505
#define chkПропускать 3506
#define chkАвтоНумерация 3507

// 6 Объявление
#define chkОбъявление 3601
#define chkАвтоОбъявление 3602
#define lblПути 3603
#define lstПути 3604
#define imgДобавитьПуть 3605
#define imgИзменитьПуть 3606
#define imgУдалитьПуть 3607
#define lblКаталогПроектов 3608
#define txtКаталогПроектов 3609
#define cmdОбзор 3610

// 7 Обработчики ошибок
#define chkОбработчикиОшибок 3701
#define lblНазвание 3702
#define cboErrorHandlers 3703
#define imgДобавитьОбработчик 3704
#define imgИзменитьОбработчик 3705
#define imgУдалитьОбработчик 3706
#define chkДоступностьОбработчик 3707
#define txtHeader 3708
#define txtFooter 3709
#define chkНумерацияОбработчик 3710
#define chkПропускатьОбработчик 3711

// 8 Подсветка синтаксиса
#define chkПодсветкаСинтаксиса 3801
#define lblЗаменаЦвета 3802
#define chkЗаменаЦветаОператоров 3803
#define chkЗаменаЦветаДопОператоров 3804
#define chkЗаменаЦветаТекстов 3805
#define lstЦветТекста 3806
#define chkЗаменаЦветаСледующих 3807
#define lstПодсветки 3808
#define imgДобавитьПодсветку 3809
#define imgИзменитьПодсветку 3810
#define imgУдалитьПодсветку 3811
#define lblНа 3812
#define lstЦветПодсветок 3813
#define LblСдвиг 3814
#define LblX 3815
#define txtX 3816
#define LblY 3817
#define txtY 3818

// 9 Скроллинг
#define chkСкроллинг 3901
#define chkВысотаСкролла 3902
#define txtВысотаСкролла 3903
#define lblСтрока 3904

// 10 Стиль
#define chkСтильИнтерфейса 4001
#define optКлассический 4002
#define optWindowsXP 4003
#define chkПоказПалитры 4004

// 11 Язык
#define chkЯзыкИнтерфейса 4101
#define lblЯзык 4102
#define cboЯзыки 4103

// 12 MDI вкладки
#define chkMDIВкладки 4201
#define lblРасположить 4202
#define optВверх 4203
#define optВниз 4204

// 13 Горячие клавиши: lblHotKeys i and txtHotKeys i, i from 0 to 8.
#define chkГорячиеКлавиши 4301
#define lblHotKeys 4310
#define txtHotKeys 4320
#define QV_HOT_KEY_COUNT 9
