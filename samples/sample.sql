-- The bundled sample database: a small shop's customers and orders, with
-- text, whole numbers, decimals, dates, times, timestamps, NULLs, a view and
-- a few duplicate rows.
CREATE TABLE Customers (
    Code      INTEGER,
    Name      VARCHAR(60),
    City      VARCHAR(40),
    Country   VARCHAR(40),
    Balance   DOUBLE,
    Since     DATE,
    CallAt    TIME,
    Updated   TIMESTAMP,
    Note      VARCHAR(200)
);
INSERT INTO Customers VALUES (1001, 'Alder & Sons',        'Oslo',      'Norway',  1520.50, '2001-03-14', '09:30:00', '2024-01-05 08:15:00', NULL);
INSERT INTO Customers VALUES (1002, 'Birch Printing',      'Brno',      'Czechia',   -40.25, '1998-11-02', '14:00:00', '2024-02-11 16:40:30', 'Pays late');
INSERT INTO Customers VALUES (1003, 'Cedar Labels Ltd',    'Leeds',     'UK',         0.00, '2010-06-30', NULL,       '2023-12-31 23:59:59', '');
INSERT INTO Customers VALUES (1004, 'Douglas "Doug" Fir',  'Oslo',      'Norway',   310.99, '2015-01-01', '08:05:00', '2024-03-01 00:00:00', 'Quote: "rush"');
INSERT INTO Customers VALUES (1005, 'Elm Street Bakery',   'Lyon',      'France',  9870.00, NULL,         '17:45:00', NULL,                   'It''s the bakery');
INSERT INTO Customers VALUES (1006, 'Fir & Pine, Inc.',    'Boston',    'USA',       75.40, '2020-09-09', '12:00:00', '2024-04-20 10:10:10', NULL);
INSERT INTO Customers VALUES (1007, 'Ginkgo Garden',       'Kyoto',     'Japan',    123.45, '2008-02-29', '06:30:00', '2024-05-05 05:05:05', 'Leap-day customer');
INSERT INTO Customers VALUES (1008, 'Hazel Hardware',      'Brno',      'Czechia',  4410.10, '1995-07-21', '10:15:00', '2024-06-01 12:00:00', NULL);
-- Exported twice by an old system: the same customer, row for row.
INSERT INTO Customers VALUES (1008, 'Hazel Hardware',      'Brno',      'Czechia',  4410.10, '1995-07-21', '10:15:00', '2024-06-01 12:00:00', NULL);
INSERT INTO Customers VALUES (1009, 'Ivy League Supplies', 'New Haven', 'USA',        NULL, '2019-10-10', '11:11:11', '2024-07-07 07:07:07', 'No balance yet');
INSERT INTO Customers VALUES (1010, 'Juniper Joinery',     'Oslo',      'Norway',    58.00, '2022-12-24', '15:30:00', '2024-08-08 18:08:08', NULL);

CREATE TABLE Orders (
    OrderNo   INTEGER,
    Customer  INTEGER,
    Item      VARCHAR(60),
    Quantity  INTEGER,
    Price     DECIMAL(10,2),
    Ordered   DATE,
    Shipped   TIMESTAMP
);
INSERT INTO Orders VALUES (1, 1001, 'Barcode labels 50x30',  2000,  0.02, '2024-01-10', '2024-01-12 09:00:00');
INSERT INTO Orders VALUES (2, 1001, 'Ribbon, wax',             12,  4.50, '2024-01-10', '2024-01-12 09:00:00');
INSERT INTO Orders VALUES (3, 1002, 'Shelf labels',           500,  0.05, '2024-02-01', NULL);
INSERT INTO Orders VALUES (4, 1004, 'Thermal printer',          1, 329.00, '2024-03-03', '2024-03-05 14:30:00');
INSERT INTO Orders VALUES (5, 1005, 'Price tags',            1500,  0.01, '2024-03-15', '2024-03-16 11:45:00');
INSERT INTO Orders VALUES (6, 1008, 'Barcode labels 50x30',  4000,  0.02, '2024-06-02', '2024-06-04 08:30:00');
INSERT INTO Orders VALUES (6, 1008, 'Barcode labels 50x30',  4000,  0.02, '2024-06-02', '2024-06-04 08:30:00');
INSERT INTO Orders VALUES (7, 1010, 'Asset tags, metal',      250,  0.35, '2024-08-09', NULL);

CREATE VIEW CustomerOrders AS
    SELECT c.Name AS Name, c.City AS City, o.Item AS Item, o.Quantity AS Quantity, o.Ordered AS Ordered
    FROM Customers c JOIN Orders o ON o.Customer = c.Code;
